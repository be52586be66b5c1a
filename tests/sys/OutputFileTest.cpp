#include "OutputFile.h"

#include <sys/stat.h>

#include "TempFolder.h"

namespace ovantis::sys {
namespace {

using test::readAll;
using test::TempFolder;

// Each row prepares a fresh folder in the shell, saves "new" to a path in it,
// then lists the folder (type, mode, links, name, link target) and reads the
// file that should now hold "new". Nothing temporary may be left behind.
TEST(OutputFile, EachKindOfTargetGetsTheContentOrTheSystemsReason) {
    const std::string longest(250, 'n'), tooLong(256, 'n');
    const std::string links =
        "d750 2 data\nf640 1 data/real\nd750 2 links\nl777 1 links/out ../data/real\n";
    struct Case {
        std::string setup, target;
        const char* reason;  // why nothing could be saved, or nullptr
        std::string listing, holder;
    } const cases[] = {
        {"", "out", nullptr, "f640 1 out\n", "out"},  // a new file follows the umask
        {"echo old > out; chmod 600 out", "out", nullptr, "f600 1 out\n", "out"},
        {"echo old > out; chmod 755 out", "out", nullptr, "f755 1 out\n", "out"},
        {"echo old > out; chmod 444 out", "out", nullptr, "f444 1 out\n", "out"},
        {"echo old, longer than new > out; ln out b", "out", nullptr, "f640 2 b\nf640 2 out\n",
         "b"},
        {"mkdir data links; echo old > data/real; ln -s ../data/real links/out", "links/out",
         nullptr, links, "data/real"},
        {"mkdir data links; ln -s ../data/real links/out", "links/out", nullptr, links,
         "data/real"},  // dangling
        {"", longest, nullptr, "f640 1 " + longest + "\n", longest},
        {"mkdir dir", "dir", "Is a directory", "d750 2 dir\n", ""},
        {"", "missing/out", "No such file or directory", "", ""},
        {"", tooLong, "File name too long", "", ""},
    };
    const mode_t oldMask = ::umask(027);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setup + " > " + c.target.substr(0, 20));
        TempFolder folder;
        folder.sh(c.setup);
        OutputFile file(folder / c.target);
        const bool saved = file.open() && file.write("new") && file.commit();
        EXPECT_EQ(saved ? "" : file.error(),
                  c.reason ? "cannot write " + folder / c.target + ": " + c.reason : "");
        EXPECT_EQ(folder.sh("find . -mindepth 1 -printf '%y%m %n %P %l\\n' | sed 's/ $//' | "
                            "sort -k3"),
                  c.listing);
        EXPECT_EQ(readAll(folder / c.holder), c.reason ? "" : "new");
    }
    ::umask(oldMask);
}

}  // namespace
}  // namespace ovantis::sys
