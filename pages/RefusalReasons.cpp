#include "RefusalReasons.h"

#include <array>

#include "FieldTexts.h"
#include "RowsFields.h"

namespace ovantis {
namespace {

using Kind = Refusal::Kind;

struct Reason {
    Kind kind;
    Text text;
};

// Why, in the options' words: one row per kind, in the kinds' order.
constexpr Reason kReasons[] = {
    {Kind::NoCharClass, {"没有剩下可抽取的字符", "no characters are left to draw from"}},
    {Kind::NotUtf8, {"%1 须为 UTF-8 文本", "%1 needs UTF-8 text"}},
    {Kind::Backwards, {"%1 中每个范围须按 低-高 的顺序", "%1 needs each range low-high in order"}},
    {Kind::ControlInValue,
     {"%1 含控制字符 %2；每个取值须是一行纯文本",
      "%1 holds the control character %2; each value must stay one "
      "line of plain text"}},
    {Kind::EachClassShort,
     {"--each-class 要求 %3 至少为 %1，每种字符类型各一个（现为 %2）",
      "--each-class needs %3 of at least %1, one of each class (got %2)"}},
    {Kind::MaxBelowMin,
     {"%1 不能小于 %2（现为 %3 和 %4）", "%1 must not be below %2 (got %3 and %4)"}},
    {Kind::NoNumberType, {"须选 --integer 或 --decimal", "--integer or --decimal is needed"}},
    {Kind::PlacesOutside,
     {"--places 须在 0 到 100 之间（现为 %1）", "--places must be 0 to 100 (got %1)"}},
    {Kind::BeyondSingle,
     {"%1 和 %2 须在单精度范围内", "%1 and %2 must lie within single precision"}},
    {Kind::LowAboveHigh, {"%1 不能大于 %2", "%1 must not exceed %2"}},
    {Kind::NoWhole,
     {"--integer 要求 %1 与 %2 之间有 64 位以内的整数",
      "--integer needs a whole number between %1 and %2 within 64 bits"}},
    {Kind::NoDecimal,
     {"--decimal 要求 %2 与 %3 之间有 %1 位小数的值",
      "--decimal needs a value with %1 places between %2 and %3"}},
    {Kind::NoProgram, {"--exec 需要程序名", "--exec needs a program name"}},
    {Kind::CountTooLow, {"%2 至少为 1（现为 %1）", "%2 must be at least 1 (got %1)"}},
    {Kind::NotANumber, texts::kNotNumber},
    {Kind::EachClassRare,
     {"--each-class：这些长度下约 %1 行中才有 1 行含全部字符类型；请加长行或减少字符类型",
      "--each-class: only about 1 line in %1 of these lengths holds every class; use longer lines "
      "or fewer classes"}},
    {Kind::EachClassNever,
     {"--each-class：这些长度下 1e+12 行中也没有 1 行含全部字符类型；请加长行或减少字符类型",
      "--each-class: not even 1 line in 1e+12 of these lengths holds every class; use longer lines "
      "or fewer classes"}},
    {Kind::UniqueSlow,
     {"--count：%1 个不重复行的最后一行约需抽取 %2 次；请减少行数",
      "--count: the last of %1 unique lines would take about %2 "
      "draws; ask for fewer lines"}},
    {Kind::TooFewPossible,
     {"无法生成 %1 个不重复行：最多只有 %2 种",
      "cannot make %1 unique lines: only %2 are possible"}},
    {Kind::ClassicTooFew,
     {"无法生成 %1 个不重复行：经典随机源（--seed）在这些设定下最多给出 %2 种不同的行；"
      "安全随机源（不带 --seed）没有此限制",
      "cannot make %1 unique lines: the classic source (--seed) makes at most %2 different "
      "lines of these settings; the secure source (no --seed) has no such limit"}},
    {Kind::UniqueOverBudget,
     {"--unique 生成 %2 行约需 %1，超出 %3 MiB 的内存上限（可用 --max-memory 调高）",
      "--unique needs about %1 for %2 lines, above the %3 MiB memory budget (raise it with "
      "--max-memory)"}},
    {Kind::OpenRepeat,
     {"%1 没有上限，无法均匀抽取；请给出上限，如 %2",
      "%1 has no upper bound, so no uniform draw; give one, such as %2"}},
    {Kind::BackReference, {"不支持反向引用 %1", "back-references such as %1 are not supported"}},
    {Kind::LookAround, {"不支持环视 %1", "look-arounds such as %1 are not supported"}},
    {Kind::WordBoundary, {"不支持单词边界 %1", "word boundaries such as %1 are not supported"}},
    {Kind::Flags,
     {"不支持标志和特殊分组 %1", "flags and special groups such as %1 are not supported"}},
    {Kind::Anchor, {"%1 只能作为开头的 ^ 或结尾的 $", "%1 is accepted only as ^ first or $ last"}},
    {Kind::Unbalanced, {"%1 不成对", "%1 has no partner"}},
    {Kind::BadEscape, {"%1 不是可用的转义", "%1 is not a known escape"}},
    {Kind::EmptyClass,
     {"字符类 %1 中没有可抽取的字符", "the class %1 leaves nothing to draw from"}},
    {Kind::PosixClass,
     {"%1 是 POSIX 字符类的开头，不受支持：请写出字符，如 [a-z]，或把 [ 写作 \\[",
      "%1 begins a POSIX class, which is not supported: name the characters, as in [a-z], or "
      "write [ as \\["}},
    {Kind::ReversedRange,
     {"%1 的范围颠倒；请从低到高书写", "%1 runs backwards; write it low to high"}},
    {Kind::BadRange, {"%1：范围两端须为单个字符", "%1: a range needs one character at each end"}},
    {Kind::NothingToRepeat, {"%1 前面没有可重复的内容", "%1 has nothing before it to repeat"}},
    {Kind::BadRepeat, {"%1 不是 {n} 或 {m,n} 形式的重复", "%1 is not a repeat {n} or {m,n}"}},
    {Kind::ControlCharacter,
     {"控制字符 %1 会把行拆开", "the control character %1 would break a line"}},
    {Kind::BadCodePoint,
     {"%1 不是字符（代理码位或超出 U+10FFFF）",
      "%1 is not a character (a surrogate or beyond U+10FFFF)"}},
    {Kind::TooDeep, {"分组嵌套超过 %1 层", "groups nest deeper than %1"}},
    {Kind::PatternTooLong, {"模板超过 %1 字节", "the template is longer than %1 bytes"}},
    {Kind::LineTooLong, {"一行可能超过 %1 个字符", "a line could exceed %1 characters"}},
    {Kind::TooManyStates,
     {"模板需要超过 %1 个自动机状态；请简化",
      "the template needs more than %1 automaton states; simplify "
      "it"}},
    {Kind::CountingOverBudget,
     {"计数需要超过 %1 MiB 的内存上限（可用 --max-memory 调高）",
      "counting needs more than the %1 MiB memory budget (raise it with --max-memory)"}},
    {Kind::TooManyNodes,
     {"模板展开后超过 %1 个自动机节点；请简化",
      "the template expands to more than %1 automaton nodes; simplify it"}},
    {Kind::TooMuchWork,
     {"构建模板的自动机需要超过 %1 步；请简化",
      "building the template's automaton takes more than %1 steps; simplify it"}},
    {Kind::Stopped, {"已停止", "stopped"}},
    {Kind::OutOfMemory,
     {"系统内存不足，无法为模板计数；请简化",
      "the system ran out of memory counting the template; simplify it"}},
    {Kind::BadDate,
     {"%1 不是日期：须为 YYYY-MM-DD 或 YYYY-MM-DDTHH:MM[:SS]，年份 0001 至 9999",
      "%1 is not a date: YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS], the year 0001 to 9999"}},
    {Kind::BadFormat,
     {"日期格式不认识 %1（可用 %Y %m %d %H %M %S %j %y %b %B %a %A %e %F %T %s %z %:z %%）",
      "the date format does not know %1 (it knows %Y %m %d %H %M %S %j %y %b %B %a %A %e %F %T %s "
      "%z %:z %%)"}},
    {Kind::BadZone,
     {"%1 不是时区：须为 UTC、Z 或 ±HH:MM", "%1 is not a time zone: UTC, Z or ±HH:MM"}},
    {Kind::DatesReversed, {"开始 %1 晚于结束 %2", "the start %1 is after the end %2"}},
    {Kind::DateRepeats,
     {"日期格式 %1 在这段时间里反复写出同样的文字，超过 %2 "
      "个单位无法计数：缩短范围，或写出年、月、日",
      "the date format %1 prints the same texts over and over in more than %2 of its units, too "
      "many to count: shorten the range, or print the year, month and day too"}},
    {Kind::WordsRunTogether,
     {"分隔符 %1 "
      "为空或与单词共用字符，同一段文字可能来自不同的单词，无法保证不重复：换一个分隔符，如空格",
      "the separator %1 is empty or shares a character with a word, so one text can come from "
      "different words and --unique cannot hold: choose another, such as a space"}},
    {Kind::BadWord,
     {"单词表第 %1 行不是可用的单词（空行、控制字符、空格或非 UTF-8）",
      "line %1 of the word list is no usable word (blank, a control character, a space or not "
      "UTF-8)"}},
    {Kind::NoWords, {"单词表中没有单词", "the word list holds no words"}},
    {Kind::TooManyWords, {"单词表超过 %1 个单词", "the word list holds more than %1 words"}},
    {Kind::OpenQuote, {"%1 引号没有结束", "the %1 quote is never closed"}},
    {Kind::BadColumnName,
     {"列名 %1 须以字母或 _ 开头，只含字母、数字和 _，至多 64 个字符",
      "the column name %1 needs a letter or _ first, then letters, digits and _, 64 at most"}},
    {Kind::RepeatedName, {"列名 %1 已经用过", "the column name %1 is used twice"}},
    {Kind::UnknownKind, {"%1 不是列的种类（可用：%2）", "%1 is no kind of column (the kinds: %2)"}},
    {Kind::NoColumns,
     {"没有列：每列写作“名称 种类 [参数]”，如 id row",
      "no columns: write each as NAME KIND [ARGUMENTS], such as id row"}},
    {Kind::BadArgument, {"%1 不能用在这里；写法：%2", "%1 does not belong here; the form is: %2"}},
    {Kind::BadWeights,
     {"%1 不是权重：须为每个值一个非负整数，总和 1 至 %2",
      "%1 are no weights: a whole number from 0 for each value, their sum 1 to %2"}},
    {Kind::NoValues, {"需要至少一个值", "at least one value is needed"}},
    {Kind::Uuid7NeedsTime,
     {"带 --seed 或 --shard 时，uuid 7 须给出时间，如 uuid 7 2026-01-01T00:00:00",
      "with --seed or --shard, uuid 7 needs its time, such as uuid 7 2026-01-01T00:00:00"}},
    {Kind::UniqueAcrossShards,
     {"列 %1 不重复，分片无法保证：请一次生成",
      "column %1 has no repeats, which shards cannot keep: make it in one run"}},
    {Kind::BadShard,
     {"%1 不是分片：须为 K/N，1 ≤ K ≤ N ≤ %2", "%1 is not a shard: K/N with 1 <= K <= N <= %2"}},
    {Kind::PageOptions, {"%1", "%1"}},
    {Kind::NoOptionValue, {"%1 后面须有取值", "%1 needs a value after it"}},
    {Kind::EscapesNothing,
     {"行尾的 \\ 不能转义任何字符", "the \\ at the end of the line escapes nothing"}},
    {Kind::UuidBeforeEpoch,
     {"uuid 7 的时间须不早于 1970-01-01（现为 %1）",
      "uuid 7 needs a time from 1970-01-01 on (got %1)"}},
};

constexpr bool everyKindOnce() {
    for (std::size_t i = 0; i < std::size(kReasons); ++i) {
        if (static_cast<std::size_t>(kReasons[i].kind) != i + 1) {
            return false;
        }
    }
    return std::size(kReasons) + 1 == static_cast<std::size_t>(Kind::Count);
}
static_assert(everyKindOnce(), "every kind of refusal needs its reason, in order");

inline constexpr Text kAtColumn{"第 %1 列：%2", "column %1: %2"};
inline constexpr Text kWindowCountingOverBudget{
    "计数需要超过窗口 %1 MiB 的内存上限；请简化模板",
    "counting needs more than the window's %1 MiB memory budget; simplify the template"};
inline constexpr Text kWindowClassicTooFew{
    "无法生成 %1 个不重复行：经典随机源在这些设定下最多给出 %2 种不同的行；"
    "勾选“使用安全随机源”则没有此限制",
    "cannot make %1 unique lines: the classic source makes at most %2 different lines of these "
    "settings; the secure source has no such limit"};
inline constexpr Text kWindowUniqueOverBudget{
    "%2 个不重复行约需 %1，超出窗口 %3 MiB 的内存上限",
    "%2 lines without repeats need about %1, above the window's %3 MiB memory budget"};

}  // namespace

std::string reasonOf(const Refusal& refusal, Language language) {
    const auto index = static_cast<std::size_t>(refusal.kind);
    if (index == 0 || index > std::size(kReasons)) {
        return {};
    }
    const std::string reason = kReasons[index - 1].text.fill(language, refusal.values);
    // Text that is no UTF-8 has no column to name.
    if (refusal.column > 0 && refusal.kind != Kind::NotUtf8) {
        return kAtColumn.fill(language, {std::to_string(refusal.column), reason});
    }
    return reason;
}

std::string windowReasonOf(const Refusal& refusal, Language language) {
    if (refusal.kind == Kind::CountingOverBudget) {
        return kWindowCountingOverBudget.fill(language, refusal.values);
    }
    if (refusal.kind == Kind::UniqueOverBudget) {
        return kWindowUniqueOverBudget.fill(language, refusal.values);
    }
    if (refusal.kind == Kind::ClassicTooFew) {
        return kWindowClassicTooFew.fill(language, refusal.values);
    }
    // The notice names the field; an option that heads the reason is the
    // command line's.
    std::string reason = reasonOf(refusal, language);
    const std::size_t end = reason.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", 2);
    for (const std::string_view colon : {"：", ": "}) {
        if (reason.starts_with("--") && reason.compare(end, colon.size(), colon) == 0) {
            reason.erase(0, end + colon.size());
        }
    }
    return reason;
}

std::string schemaReasonOf(const SchemaRefusal& refusal, const std::string& reason,
                           Language language) {
    if (refusal.column > 0) {
        return texts::kSchemaAt.fill(
            language, {std::to_string(refusal.column), refusal.name, std::to_string(refusal.line),
                       std::to_string(refusal.character), reason});
    }
    if (refusal.line > 0) {
        return texts::kSchemaPlace.fill(
            language, {std::to_string(refusal.line), std::to_string(refusal.character), reason});
    }
    return reason;
}

}  // namespace ovantis
