#include "ReasonTexts.h"

#include <cerrno>
#include <iterator>

namespace ovantis::reasons {
namespace {

struct Listed {
    int error;
    Text text;
};

// The failures a result file or a launch meets.
constexpr Listed kErrors[] = {
    {EPERM, {"不允许的操作", "Operation not permitted"}},
    {ENOENT, {"没有那个文件或目录", "No such file or directory"}},
    {EINTR, {"被中断的系统调用", "Interrupted system call"}},
    {EIO, {"输入/输出错误", "Input/output error"}},
    {ENXIO, {"没有那个设备或地址", "No such device or address"}},
    {E2BIG, {"参数列表过长", "Argument list too long"}},
    {ENOEXEC, {"可执行文件格式错误", "Exec format error"}},
    {EBADF, {"错误的文件描述符", "Bad file descriptor"}},
    {ENOMEM, {"无法分配内存", "Cannot allocate memory"}},
    {EACCES, {"权限不够", "Permission denied"}},
    {EBUSY, {"设备或资源忙", "Device or resource busy"}},
    {EEXIST, {"文件已存在", "File exists"}},
    {ENOTDIR, {"不是目录", "Not a directory"}},
    {EISDIR, {"是一个目录", "Is a directory"}},
    {EINVAL, {"无效的参数", "Invalid argument"}},
    {EMFILE, {"打开的文件过多", "Too many open files"}},
    {ETXTBSY, {"文本文件忙", "Text file busy"}},
    {EFBIG, {"文件过大", "File too large"}},
    {ENOSPC, {"设备上没有空间", "No space left on device"}},
    {EROFS, {"只读文件系统", "Read-only file system"}},
    {EPIPE, {"断开的管道", "Broken pipe"}},
    {ENAMETOOLONG, {"文件名过长", "File name too long"}},
    {ELOOP, {"符号链接的层数过多", "Too many levels of symbolic links"}},
    {EOPNOTSUPP, {"不支持的操作", "Operation not supported"}},
#ifdef EDQUOT
    {EDQUOT, {"超出磁盘配额", "Disk quota exceeded"}},
#endif
};

// In the order of SystemReason::Kind, from NotOnPath on.
constexpr Text kOwn[] = {
    {"在 PATH 中找不到", "not found on PATH"},
    {"在 PATH 中找不到（%1 会运行本文件夹中的那个）",
     "not found on PATH (%1 would run the one in this folder)"},
    {"没有程序名", "no program name"},
    {"文档或网址不能带参数", "a document or URL takes no arguments"},
    {"这里没有能打开文档的程序：在 PATH 中找不到 xdg-open",
     "nothing opens documents here: xdg-open not found on PATH"},
    {"xdg-open：%1", "xdg-open: %1"},
    {"脚本或批处理文件从不直接启动：请运行它的解释器，并把它作为参数",
     "a script or batch file is never started: run its interpreter with it as an argument"},
};
static_assert(std::size(kOwn) == static_cast<std::size_t>(SystemReason::Kind::ScriptNeverStarted),
              "a text for each kind but System");

}  // namespace

const Text& textOf(SystemReason::Kind kind) {
    return kind == SystemReason::Kind::System ? kSystemError
                                              : kOwn[static_cast<std::size_t>(kind) - 1];
}

const Text* errorText(int error) {
    for (const Listed& listed : kErrors) {
        if (listed.error == error) {
            return &listed.text;
        }
    }
    return nullptr;
}

}  // namespace ovantis::reasons
