<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>默认从操作系统的安全随机源生成。在窗口的右键菜单中取消勾选“使用安全随机源”，则改用按当前秒播种的经典随机源（同一秒内相同设置生成相同结果）。</source>
        <translation>Lines come from the operating system&apos;s secure source by default. Untick “Use the secure random source” in the window&apos;s context menu for the classic source, seeded from the current second (the same settings in the same second give the same lines).</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>字符串</source>
        <translation>Strings</translation>
    </message>
    <message>
        <source>随机密码、随机用户名、随机域名等</source>
        <translation>Random passwords, user names, domain names and more</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>Numbers</translation>
    </message>
    <message>
        <source>指定数值范围内的整形、浮点数等</source>
        <translation>Integers and decimals within a range you choose</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>不定时日期数值，并可执行命令行外部程序</source>
        <translation>Timestamps at random intervals, optionally running a program</translation>
    </message>
    <message>
        <source>关于 Ovantis(&amp;A)...</source>
        <translation>&amp;About Ovantis...</translation>
    </message>
    <message>
        <source>应用场合：</source>
        <translation>Good for:</translation>
    </message>
    <message>
        <source>使用安全随机源</source>
        <translation>Use the secure random source</translation>
    </message>
    <message>
        <source>定时运行正在进行。停止并退出？</source>
        <translation>A timed run is going. Stop it and quit?</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>至少指定一种字符类型！</source>
        <translation>Choose at least one character type.</translation>
    </message>
    <message>
        <source>生成长度设定无效！</source>
        <translation>The length range is not valid.</translation>
    </message>
    <message>
        <source>至少指定一种数字类型！</source>
        <translation>Choose at least one number type.</translation>
    </message>
    <message>
        <source>保留小数位数设定无效！</source>
        <translation>The number of decimal places is not valid.</translation>
    </message>
    <message>
        <source>数值范围设定无效！</source>
        <translation>The value range is not valid.</translation>
    </message>
    <message>
        <source>外部程序命令行无效！</source>
        <translation>Name a program to run.</translation>
    </message>
    <message>
        <source>发生间隔设定无效！</source>
        <translation>The interval range is not valid.</translation>
    </message>
    <message>
        <source>生成个数设定无效！</source>
        <translation>The count is not valid.</translation>
    </message>
    <message>
        <source>生成成功！</source>
        <translation>Generated successfully.</translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>Exported successfully.</translation>
    </message>
    <message>
        <source>导出失败！</source>
        <translation>Export failed.</translation>
    </message>
    <message>
        <source>生成结果可能超出输出框容量：每次最多 %1 行、%2 文本。请减少生成个数或长度；大批量数据请使用命令行工具 ovantis-cli。</source>
        <translation>The results may not fit in the output box, which takes at most %1 lines and %2 of text per run. Lower the count or the length; for large batches use the command-line tool ovantis-cli.</translation>
    </message>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>外部程序启动失败 %1 次（共 %2 次）：</source>
        <translation>%1 of %2 programs could not be started:</translation>
    </message>
    <message>
        <source>字符集设定无效！</source>
        <translation>The character set is not valid.</translation>
    </message>
    <message>
        <source>外部程序只能填写一个程序或文档的名称，不带参数。以下名称不是现有的文件：</source>
        <translation>The program field takes the name of one program or document, without arguments. This name is not an existing file:</translation>
    </message>
</context>
<context>
    <name>PageWindow</name>
    <message>
        <source>文本文件</source>
        <translation>Text files</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>正在生成……</source>
        <translation>Generating…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>随机字符串.txt</source>
        <comment>stringPage</comment>
        <translation>random-strings.txt</translation>
    </message>
    <message>
        <source>随机字符串.txt</source>
        <comment>numberPage</comment>
        <translation>random-numbers.txt</translation>
    </message>
    <message>
        <source>随机字符串.txt</source>
        <comment>timePage</comment>
        <translation>timestamps.txt</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>TimePage</name>
    <message>
        <source>一个程序或文档的名称，不带参数</source>
        <translation>One program or document, no arguments</translation>
    </message>
</context>
</TS>
