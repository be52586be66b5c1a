#pragma once

#include <QDialog>
#include <vector>

#include "RandomSource.h"

class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QTabBar;
class NumberPage;
class PageWindow;
class PatternPage;
class RowsPage;
class StringPage;
class TimePage;

// The main window: its pages behind a tab bar, a description of the page
// shown, and the About box and the choice of random source from the context
// menu.
class MainDialog : public QDialog {
    Q_OBJECT

  public:
    explicit MainDialog(ovantis::RandomSource& random, QWidget* parent = nullptr);

    void ShowPage(int index);
    void showAbout();
    // Draws every page from the secure source, or the classic one; remembered.
    void setSecure(bool on);
    bool isSecure() const { return m_random.secure(); }
    // With the classic source: a seed for every run, or none for the current second.
    QLineEdit* seedField() const { return m_seed; }

    StringPage* stringPage() const { return m_stringPage; }
    NumberPage* numberPage() const { return m_numberPage; }
    TimePage* timePage() const { return m_timePage; }
    PatternPage* patternPage() const { return m_patternPage; }
    RowsPage* rowsPage() const { return m_rowsPage; }
    QTabBar* tabBar() const { return m_tabBar; }

    void done(int result) override;
    // Ends the program; while a timed run goes, only once the user agrees.
    void reject() override;
    // The page's items (About, the source switch) added to a menu.
    void addPageItems(QMenu& menu);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

  private:
    // Shows the page step places after the current one, wrapping.
    void stepPage(int step);
    // Places the tab control and pages for the window's size.
    void layOut();
    // Keeps the least size within the screen, frame included; false when
    // even the least layout does not fit, and the window should be maximised.
    bool fitScreen(QSize frame);
    // Shift+F10 and the Menu key: the context menu at the focused control.
    void contextMenuAtFocus();

    ovantis::RandomSource& m_random;
    QLabel* m_description = nullptr;
    QLabel* m_seedLabel = nullptr;
    QLineEdit* m_seed = nullptr;
    QWidget* m_tabControl = nullptr;
    QTabBar* m_tabBar = nullptr;
    QFrame* m_pane = nullptr;
    StringPage* m_stringPage = nullptr;
    NumberPage* m_numberPage = nullptr;
    TimePage* m_timePage = nullptr;
    PatternPage* m_patternPage = nullptr;
    RowsPage* m_rowsPage = nullptr;
    std::vector<PageWindow*> m_pages;
    QSize m_frameGuess;
};
