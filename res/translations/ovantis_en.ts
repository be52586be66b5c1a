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
        <source>指定数值范围内的整型、浮点数等</source>
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
        <source>种子：</source>
        <translation>Seed:</translation>
    </message>
    <message>
        <source>种子</source>
        <translation>Seed</translation>
    </message>
    <message>
        <source>当前秒</source>
        <translation>this second</translation>
    </message>
    <message>
        <source>定时运行正在进行。停止并退出？</source>
        <translation>A timed run is going. Stop it and quit?</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>按模板生成测试数据：许可证号、用户名、订单号等</source>
        <translation>Test data shaped by a template: licence keys, user names, order numbers</translation>
    </message>
    <message>
        <source>表格</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>多列测试数据表格：CSV、TSV、JSON Lines、SQL</source>
        <translation>Tables of test data, a generator a column: CSV, TSV, JSON Lines, SQL</translation>
    </message>
</context>
<context>
    <name>PageWindow</name>
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
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>文本文件（LF 换行）</source>
        <translation>Text files, LF line ends</translation>
    </message>
    <message>
        <source>文本文件（CR LF 换行）</source>
        <translation>Text files, CR LF line ends</translation>
    </message>
    <message>
        <source>随机字符串.txt</source>
        <translation>random-strings.txt</translation>
    </message>
    <message>
        <source>随机数字.txt</source>
        <translation>random-numbers.txt</translation>
    </message>
    <message>
        <source>时间记录.txt</source>
        <translation>timestamps.txt</translation>
    </message>
    <message>
        <source>模式字符串.txt</source>
        <translation>template-strings.txt</translation>
    </message>
    <message>
        <source>表格.txt</source>
        <translation>rows.txt</translation>
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
