#include "PageWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

#include "ControlIds.h"
#include "DialogUnits.h"
#include "DigitsOnlyFilter.h"
#include "FittedLabel.h"
#include "GeneratorApp.h"
#include "Launcher.h"
#include "NoticeText.h"
#include "OutputBox.h"
#include "OutputFile.h"
#include "PatternParser.h"
#include "ReasonText.h"
#include "SingleLineEdit.h"
#include "Translations.h"

namespace {

QString fromCore(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toCore(const QString& text) {
    return text.toUtf8().toStdString();
}

// A text of the core in the window's language.
QString shown(const std::optional<ovantis::Text>& text) {
    return text ? QString::fromUtf8(text->in(Translations::installed())) : QString();
}

// Texts the core's export passes in: its file types and each page's name.
[[maybe_unused]] const char* const kListed[] = {
    QT_TRANSLATE_NOOP("PageWindow", "文本文件（LF 换行）"),
    QT_TRANSLATE_NOOP("PageWindow", "文本文件（CR LF 换行）"),
    QT_TRANSLATE_NOOP("PageWindow", "所有文件"),
    QT_TRANSLATE_NOOP("PageWindow", "随机字符串.txt"),
    QT_TRANSLATE_NOOP("PageWindow", "随机数字.txt"),
    QT_TRANSLATE_NOOP("PageWindow", "时间记录.txt"),
    QT_TRANSLATE_NOOP("PageWindow", "模式字符串.txt"),
    QT_TRANSLATE_NOOP("PageWindow", "表格.txt"),
};

// What a user does to a window, as opposed to what the system tells it.
bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            return true;
        default:
            return false;
    }
}

const QString kExportFolderKey = QStringLiteral("exportFolder");

// Whether every printable ASCII character takes the same width: fontconfig
// does not mark every monospace face (Noto Sans Mono) as fixed pitch.
bool evenAdvances(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QChar(u'M'));
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        if (metrics.horizontalAdvance(QChar(c)) != width) {
            return false;
        }
    }
    return true;
}

// The system's fixed-pitch font at the dialog font's size, so l, I and 1
// differ; a generic monospace face where the system's is not even.
QFont fixedPitch(const QFont& dialog) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(dialog.pointSizeF());
    if (!evenAdvances(font)) {
        font.setFamilies({QStringLiteral("monospace")});
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

}  // namespace

PageWindow::PageWindow(const std::vector<ovantis::WindowControl>& layout, int generateId,
                       QWidget* parent)
    : QWidget(parent), m_generateId(generateId) {
    using Kind = ovantis::ControlKind;
    const DialogUnits units(font());
    QWidget* previous = nullptr;
    std::vector<std::pair<QLabel*, int>> buddies;
    for (const ovantis::WindowControl& entry : layout) {
        const QString text = shown(entry.text);
        QWidget* widget = nullptr;
        switch (entry.kind) {
            case Kind::Check:
                widget = new QCheckBox(text, this);
                break;
            case Kind::Field:
            case Kind::DigitsField: {
                auto* field = new SingleLineEdit(this);
                if (entry.kind == Kind::DigitsField) {
                    field->installEventFilter(new DigitsOnlyFilter(field));
                }
                widget = field;
                break;
            }
            case Kind::Choice: {
                auto* choice = new QComboBox(this);
                choice->setEditable(true);
                choice->setLineEdit(new SingleLineEdit(choice));
                // Room well past the longest template, so a paste is never cut
                // to fit: one too long is refused with its length.
                choice->lineEdit()->setMaxLength(
                    4 * static_cast<int>(ovantis::PatternParser::kMostBytes));
                // Typing never adds to the offered texts.
                choice->setInsertPolicy(QComboBox::NoInsert);
                for (const char* example : entry.examples) {
                    choice->addItem(QString::fromUtf8(example));
                }
                widget = choice;
                break;
            }
            case Kind::Output: {
                auto* box = new OutputBox(this);
                box->setLineWrapMode(QPlainTextEdit::NoWrap);
                box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
                box->setFont(fixedPitch(font()));
                box->setTabChangesFocus(true);
                const int id = entry.id;
                connect(box, &QPlainTextEdit::textChanged, this, [this, id] {
                    if (!m_settingText) {
                        m_edited.insert(id);
                    }
                });
                widget = box;
                break;
            }
            case Kind::Button: {
                auto* button = new QPushButton(text, this);
                button->setAutoDefault(false);
                m_buttonTexts[entry.id] = text;
                widget = button;
                break;
            }
            case Kind::Label: {
                if (entry.buddy != ovantis::ids::kNone) {
                    auto* label = new QLabel(text, this);
                    buddies.emplace_back(label, entry.buddy);
                    widget = label;
                } else {
                    // A line the page writes: it may take two.
                    auto* line = new FittedLabel(this);
                    line->setWhole(text);
                    widget = line;
                }
                break;
            }
        }
        widget->setGeometry(units.rect(entry.at.x, entry.at.y, entry.at.w, entry.at.h));
        if (entry.kind == Kind::Output || entry.kind == Kind::Button) {
            m_stretched.emplace_back(widget, QRect());
        }
        if (entry.id != ovantis::ids::kNone) {
            widget->setObjectName(QStringLiteral("c%1").arg(entry.id));
            m_controls[entry.id] = widget;
            if (entry.name) {
                widget->setAccessibleName(shown(entry.name));
                if (auto* choice = qobject_cast<QComboBox*>(widget)) {
                    choice->lineEdit()->setAccessibleName(shown(entry.name));
                }
            }
            if (entry.kind == Kind::Label) {
                continue;
            }
            if (previous != nullptr) {
                setTabOrder(previous, widget);
            } else {
                m_first = widget;
            }
            previous = widget;
        }
    }
    m_status = new FittedLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    // Under the output box and the buttons, in the room the template leaves.
    m_status->setGeometry(units.rect(16, 220, 307, 9));
    m_stretched.emplace_back(m_status, QRect());
    widenToFit();
    for (auto& [widget, rect] : m_stretched) {
        rect = widget->geometry();
    }
    // Screen readers name a field by its label; the fields come first in a template.
    for (const auto& [label, id] : buddies) {
        label->setBuddy(control(id));
    }
    m_timer.setSingleShot(true);
    // A coarse timer may fire up to 5% early; a delay is a lower bound.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { onTimer(ovantis::ids::kEventTimer); });
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setInterval(0);
    connect(&m_stepTimer, &QTimer::timeout, this, &PageWindow::takeSteps);
}

PageWindow::~PageWindow() {
    // The pages' work may still run; it ends at its next stop check.
    for (auto& [job, stop] : m_asideStops) {
        stop->store(true);
    }
    m_aside.waitForDone();
}

void PageWindow::widenToFit() {
    // Left to right, so a widened control pushes along those already moved.
    std::vector<QWidget*> texts;
    for (QWidget* widget : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if ((qobject_cast<QLabel*>(widget) != nullptr &&
             qobject_cast<FittedLabel*>(widget) == nullptr) ||
            qobject_cast<QCheckBox*>(widget) != nullptr) {
            texts.push_back(widget);
        }
    }
    std::sort(texts.begin(), texts.end(),
              [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    for (QWidget* widget : texts) {
        const auto* label = qobject_cast<QLabel*>(widget);
        const int need = label != nullptr ? label->fontMetrics().horizontalAdvance(label->text()) +
                                                label->width() - label->contentsRect().width()
                                          : widget->sizeHint().width();
        const int grow = need - widget->width();
        if (grow <= 0) {
            continue;
        }
        // Whatever stands to its right on the same row moves along; the
        // template's box keeps its right edge, in line with the output box,
        // and the line under it keeps in line with the box.
        const QRect was = widget->geometry();
        for (QWidget* other : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect at = other->geometry();
            if (other == widget || at.left() < was.right() || at.top() > was.bottom() ||
                at.bottom() < was.top()) {
                continue;
            }
            if (qobject_cast<QComboBox*>(other) == nullptr) {
                other->move(at.x() + grow, at.y());
                continue;
            }
            other->setGeometry(at.adjusted(grow, 0, 0, 0));
            for (auto* line : findChildren<FittedLabel*>(Qt::FindDirectChildrenOnly)) {
                if (line->x() == at.x() && line->y() > at.y()) {
                    line->setGeometry(line->geometry().adjusted(grow, 0, 0, 0));
                }
            }
        }
        widget->resize(need, was.height());
    }
}

void PageWindow::stretch(QSize extra) {
    for (const auto& [widget, rect] : m_stretched) {
        if (widget == m_status) {
            widget->setGeometry(
                rect.translated(0, extra.height()).adjusted(0, 0, extra.width(), 0));
            continue;
        }
        const bool box = qobject_cast<OutputBox*>(widget) != nullptr;
        widget->setGeometry(box ? rect.adjusted(0, 0, extra.width(), extra.height())
                                : rect.translated(extra.width(), extra.height()));
    }
}

QWidget* PageWindow::firstControl() const {
    return m_first;
}

QWidget* PageWindow::control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void PageWindow::remember() const {
    QSettings settings = GeneratorApp::settings();
    settings.beginGroup(QStringLiteral("fields/") + objectName());
    for (const auto& [id, widget] : m_controls) {
        const QString key = widget->objectName();
        if (const auto* box = qobject_cast<QCheckBox*>(widget)) {
            settings.setValue(key, box->isChecked());
        } else if (const auto* field = qobject_cast<QLineEdit*>(widget)) {
            settings.setValue(key, field->text());
        } else if (const auto* choice = qobject_cast<QComboBox*>(widget)) {
            settings.setValue(key, choice->currentText());
        }
    }
}

void PageWindow::recall() {
    QSettings settings = GeneratorApp::settings();
    settings.beginGroup(QStringLiteral("fields/") + objectName());
    for (const auto& [id, widget] : m_controls) {
        const QVariant value = settings.value(widget->objectName());
        if (!value.isValid()) {
            continue;
        }
        // Through the controls, so a check box greys its fields as a click would.
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(value.toBool());
        } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            field->setText(value.toString());
        } else if (auto* choice = qobject_cast<QComboBox*>(widget)) {
            choice->setEditText(value.toString());
        }
    }
}

void PageWindow::fill(const ovantis::InitialContent& content) {
    for (const auto& [id, text] : content.texts) {
        setText(id, text);
    }
    for (const auto& [id, on] : content.checks) {
        if (auto* box = qobject_cast<QCheckBox*>(control(id))) {
            box->setChecked(on);
        }
    }
    for (const auto& [id, on] : content.enabled) {
        enable(id, on);
    }
}

int PageWindow::checkState(int id) {
    const auto* box = qobject_cast<QCheckBox*>(control(id));
    return box != nullptr && box->isChecked() ? 1 : 0;
}

std::string PageWindow::getText(int id) {
    QWidget* widget = control(id);
    if (const auto* field = qobject_cast<QLineEdit*>(widget)) {
        return toCore(field->text());
    }
    if (const auto* box = qobject_cast<OutputBox*>(widget)) {
        return toCore(box->lines());
    }
    if (const auto* choice = qobject_cast<QComboBox*>(widget)) {
        return toCore(choice->currentText());
    }
    return {};
}

void PageWindow::setText(int id, const std::string& text) {
    QWidget* widget = control(id);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(fromCore(text));
    } else if (auto* choice = qobject_cast<QComboBox*>(widget)) {
        choice->setEditText(fromCore(text));
    } else if (auto* line = qobject_cast<FittedLabel*>(widget)) {
        line->setWhole(fromCore(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(fromCore(text));
    } else if (auto* box = qobject_cast<OutputBox*>(widget)) {
        m_settingText = true;
        box->document()->setUndoRedoEnabled(false);
        box->fill(text);
        box->document()->setUndoRedoEnabled(true);
        m_edited.erase(id);
        m_settingText = false;
    }
}

void PageWindow::appendText(int id, const std::string& whole, std::size_t oldSize) {
    auto* box = qobject_cast<OutputBox*>(control(id));
    if (box == nullptr || m_edited.count(id) != 0 || oldSize > whole.size()) {
        setText(id, whole);
        return;
    }
    if (m_step) {
        // Laid out once a pass, not once a step: the core keeps the text meanwhile.
        m_unshown.try_emplace(id, &whole, oldSize);
        return;
    }
    m_settingText = true;
    box->document()->setUndoRedoEnabled(false);
    box->append(std::string_view(whole).substr(oldSize));
    box->document()->setUndoRedoEnabled(true);
    m_settingText = false;
}

void PageWindow::showUnshown() {
    const auto unshown = std::exchange(m_unshown, {});
    const auto step = std::exchange(m_step, nullptr);
    for (const auto& [id, text] : unshown) {
        appendText(id, *text.first, text.second);
    }
    m_step = step;
}

void PageWindow::enable(int id, bool on) {
    if (QWidget* widget = control(id)) {
        widget->setEnabled(on);
    }
}

void PageWindow::notice(const ovantis::Notice& notice) {
    m_status->setWhole({});
    // An empty title would be replaced by the program's name on X11 and Wayland.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" "),
                    NoticeText::shown(notice, Translations::installed()), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("notice"));
    box.exec();
}

void PageWindow::done(const ovantis::Notice& word) {
    m_status->setWhole(NoticeText::shown(word, Translations::installed())
                           .replace(QLatin1Char('\n'), QStringLiteral("  ")));
    m_status->setProperty("said", m_status->property("said").toInt() + 1);
}

void PageWindow::armTimer(int, int delayMs) {
    m_timer.start(std::max(delayMs, 0));
}

void PageWindow::stopTimer(int) {
    m_timer.stop();
}

bool PageWindow::exists(const std::string& text) {
    const QString name = fromCore(text);
    return QFileInfo::exists(name) || !QStandardPaths::findExecutable(name).isEmpty();
}

std::optional<ovantis::SystemReason> PageWindow::shellOpen(const std::string& text) {
    // The launcher decides how a name starts, as for ovantis-cli --exec.
    if (auto failure = ovantis::sys::Launcher::launch(text, {})) {
        return failure->reason;
    }
    return std::nullopt;
}

int PageWindow::programsRunning() {
    return ovantis::sys::Launcher::running();
}

std::string PageWindow::describe(const ovantis::SystemReason& reason) {
    return ovantis::sys::describe(reason, Translations::installed());
}

void PageWindow::showStop(int id, bool on) {
    if (on) {
        m_status->setWhole({});
    }
    if (auto* button = qobject_cast<QPushButton*>(control(id))) {
        button->setText(on ? tr("停止") : m_buttonTexts[id]);
    }
}

std::optional<ovantis::SaveChoice> PageWindow::chooseFileToSave(
    const ovantis::SaveRequest& request) {
    QFileDialog dialog(this, GeneratorApp::caption());
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    QStringList filters;
    for (const auto& filter : request.filters) {
        // "*.*" means every file, with or without a dot in its name.
        const QString pattern =
            filter.pattern == "*.*" ? QStringLiteral("*") : fromCore(filter.pattern);
        filters << QStringLiteral("%1 (%2)").arg(tr(filter.name.c_str()), pattern);
    }
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(static_cast<qsizetype>(request.selected)));
    dialog.setDefaultSuffix(fromCore(request.defaultSuffix));
    // The last export's folder, else the documents; never the working folder.
    QString folder = GeneratorApp::settings().value(kExportFolderKey).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir()) {
            folder = QDir::homePath();
        }
    }
    dialog.setDirectory(folder);
    dialog.selectFile(QDir(folder).filePath(tr(request.initialName.c_str())));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    GeneratorApp::settings().setValue(kExportFolderKey, QFileInfo(chosen).absolutePath());
    return ovantis::SaveChoice{
        toCore(chosen), static_cast<std::size_t>(
                            std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

ovantis::WriteOutcome PageWindow::writeFile(const std::string& path, const std::string& bytes) {
    // The same rules as ovantis-cli's -o, and the system's own reason on failure.
    ovantis::sys::OutputFile file(path);
    if (!file.open() || !file.write(bytes) || !file.commit()) {
        return {false, ovantis::SystemReason::system(file.error())};
    }
    return {};
}

ovantis::Language PageWindow::language() const {
    return Translations::installed();
}

ovantis::LocalTime PageWindow::localTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

void PageWindow::repeat(std::function<bool()> step) {
    m_step = std::move(step);
    takeSteps();
}

void PageWindow::runAside(int job, std::function<void(const ovantis::StopCheck&)> work,
                          std::function<void()> done) {
    auto& newest = m_asideStops[job];
    if (newest != nullptr) {
        newest->store(true);
    }
    auto stop = newest = std::make_shared<std::atomic<bool>>(false);
    m_aside.start([this, job, stop, work = std::move(work), done = std::move(done)]() mutable {
        work([&stop] { return stop->load(std::memory_order_relaxed); });
        // Queued to this window, so dropped once it is gone.
        QMetaObject::invokeMethod(
            this,
            [this, job, stop, done = std::move(done)] {
                if (!stop->load()) {
                    m_asideStops.erase(job);
                    done();
                }
            },
            Qt::QueuedConnection);
    });
}

void PageWindow::takeSteps() {
    // A few passes a second answer Cancel and keep timers firing without
    // slowing the run.
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    while ((more = m_step()) && slice.elapsed() < 25) {
    }
    showUnshown();
    if (more) {
        m_stepTimer.start();
    } else {
        m_step = nullptr;
    }
}

bool PageWindow::progress(std::int64_t done, std::int64_t total) {
    if (done == 0) {
        m_runClock.start();
        // Until the dialog shows, the window must take no input; after, the
        // dialog itself keeps it out.
        QCoreApplication::instance()->installEventFilter(this);
        return true;
    }
    // Shown only for runs that take a while.
    if (m_progress == nullptr && m_runClock.elapsed() > 500) {
        m_progress = new QProgressDialog(tr("正在生成……"), tr("取消"), 0, 1000, this);
        m_progress->setObjectName(QStringLiteral("progress"));
        m_progress->setWindowTitle(GeneratorApp::caption());
        m_progress->setWindowModality(Qt::WindowModal);
        // A modal dialog's setValue() would run the event loop from here.
        m_progressBar = new QProgressBar(m_progress);
        m_progressBar->setRange(0, 1000);
        m_progress->setBar(m_progressBar);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        m_progress->show();
    }
    if (m_progressBar != nullptr) {
        m_progressBar->setValue(
            static_cast<int>(std::min(done, total) * 1000 / std::max<std::int64_t>(total, 1)));
    }
    return m_progress == nullptr || !m_progress->wasCanceled();
}

void PageWindow::endProgress() {
    showUnshown();
    QCoreApplication::instance()->removeEventFilter(this);
    if (m_progress != nullptr) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    m_runClock.invalidate();
}

bool PageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event->type())) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == window()) {
            // Accepted, a key's override also keeps the window's shortcuts from it.
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PageWindow::keyPressEvent(QKeyEvent* event) {
    // Enter presses a focused button, or Generate from a field; Enter and
    // Escape never reach the window.
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            QWidget* focus = focusWidget();
            auto* button = qobject_cast<QPushButton*>(focus);
            // An editable box (the template) counts as a field.
            if (button == nullptr && (qobject_cast<QLineEdit*>(focus) != nullptr ||
                                      qobject_cast<QComboBox*>(focus) != nullptr)) {
                button = qobject_cast<QPushButton*>(control(m_generateId));
            }
            if (button != nullptr && button->isEnabled()) {
                button->click();
            }
            event->accept();
            return;
        }
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}
