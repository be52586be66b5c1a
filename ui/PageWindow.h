#pragma once

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "InitialContent.h"
#include "PageHost.h"
#include "WindowLayout.h"

class FittedLabel;
class OutputBox;
class QProgressBar;
class QProgressDialog;

// A page of the tabbed window: builds its controls from a template and is the
// PageHost of its core object, carrying out each operation over real widgets.
class PageWindow : public QWidget, public ovantis::PageHost {
    Q_OBJECT

  public:
    // Enter in a field presses the button generateId.
    PageWindow(const std::vector<ovantis::WindowControl>& layout, int generateId, QWidget* parent);
    // The page described by its rows and its own controls.
    template <class Settings, std::size_t N>
    PageWindow(const ovantis::PageField<Settings> (&rows)[N], const ovantis::PageControls& page,
               QWidget* parent)
        : PageWindow(ovantis::windowLayout<Settings>(rows, page), page.generate, parent) {}
    ~PageWindow() override;

    QWidget* control(int id) const;
    // The fields' values and check boxes as the user last left them, kept
    // between starts.
    void remember() const;
    void recall();
    QWidget* firstControl() const;
    // Grows the output box by extra beyond the template's size, the buttons
    // staying at its right.
    void stretch(QSize extra);

    int checkState(int id) override;
    std::string getText(int id) override;
    void setText(int id, const std::string& text) override;
    void appendText(int id, const std::string& whole, std::size_t oldSize) override;
    void enable(int id, bool on) override;
    void notice(const ovantis::Notice& notice) override;
    // Shown on the status line under the output box, whose "said" property
    // counts the words, so a driver can tell a new one from the last.
    void done(const ovantis::Notice& word) override;
    void armTimer(int timerId, int delayMs) override;
    void stopTimer(int timerId) override;
    std::optional<ovantis::SystemReason> shellOpen(const std::string& text) override;
    int programsRunning() override;
    std::string describe(const ovantis::SystemReason& reason) override;
    bool exists(const std::string& text) override;
    void showStop(int id, bool on) override;
    std::optional<ovantis::SaveChoice> chooseFileToSave(
        const ovantis::SaveRequest& request) override;
    ovantis::WriteOutcome writeFile(const std::string& path, const std::string& bytes) override;
    ovantis::LocalTime localTimeNow() override;
    void repeat(std::function<bool()> step) override;
    void runAside(int job, std::function<void(const ovantis::StopCheck&)> work,
                  std::function<void()> done) override;
    ovantis::Language language() const override;
    bool progress(std::int64_t done, std::int64_t total) override;
    void endProgress() override;

  protected:
    void fill(const ovantis::InitialContent& content);
    // Binds a click on button or check box id to a handler of the page.
    template <class Page>
    void onClick(int id, void (Page::*handler)()) {
        connect(qobject_cast<QAbstractButton*>(control(id)), &QAbstractButton::clicked,
                static_cast<Page*>(this), handler);
    }
    // Binds a check box's state changes, however made, to a handler of the page.
    template <class Page>
    void onToggle(int id, void (Page::*handler)()) {
        connect(qobject_cast<QAbstractButton*>(control(id)), &QAbstractButton::toggled,
                static_cast<Page*>(this), handler);
    }
    virtual void onTimer(int) {}
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Widens a label or check box whose translated text needs more than the
    // template gives it; the source texts all fit, so their layout stays.
    void widenToFit();
    // The repeated steps for a while, the rest from the next pass of the event loop.
    void takeSteps();
    // Appends what the steps so far added to the output boxes.
    void showUnshown();

    std::map<int, QWidget*> m_controls;
    FittedLabel* m_status = nullptr;
    std::map<int, QString> m_buttonTexts;
    // The output box and buttons at the template's size.
    std::vector<std::pair<QWidget*, QRect>> m_stretched;
    QWidget* m_first = nullptr;
    int m_generateId;
    QTimer m_timer;
    // Output boxes the user has edited since the page last set them: those
    // are rewritten whole, never appended to.
    std::set<int> m_edited;
    bool m_settingText = false;
    // A batch in progress: its next step, the pass that takes it, the dialog
    // shown once it takes a while.
    std::function<bool()> m_step;
    // Per output box, the core's text and the size it was last shown at.
    std::map<int, std::pair<const std::string*, std::size_t>> m_unshown;
    QTimer m_stepTimer;
    QPointer<QProgressDialog> m_progress;
    QPointer<QProgressBar> m_progressBar;
    QElapsedTimer m_runClock;
    // Work run beside the window, and the stop of each job's newest run.
    QThreadPool m_aside;
    std::map<int, std::shared_ptr<std::atomic<bool>>> m_asideStops;
};
