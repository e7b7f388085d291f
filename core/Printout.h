#pragma once

#include "platform/BusyPointer.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class Printer;

// When the page-line counter is consulted.
enum class PageCheck {
    // After each body line, as the on-line table and the lists count: a first
    // page started at 1 carries 47 lines, every later page 46.
    AfterEachLine,
    // Before each body line, as the reports count; a new page restarts the
    // counter at 1.
    BeforeEachLine,
};

struct PrintoutLayout {
    int16_t footerX = 300;
    PageCheck check = PageCheck::AfterEachLine;
    // Drawn on the last page after its footer, before the document is sent.
    std::function<void()> afterLastFooter;
    // The text of the notice; PagePrintingMsg() when not given.
    std::function<QString()> noticeText;
    // False prints without the notice (a printout made without a screen).
    bool notice = true;
};

// One printed document in the order every printout follows: the page header,
// the body lines counted with CheckNewPage, at a full page the footer, a new page
// and the header again, at the end the footer, the end of the document, the
// normal pointer and the printing notice. A new page is started only when
// another body line follows, so no page ever holds a header and a footer alone.
// Composed beside the window, the notice standing counts the pages sent.
//
// The hourglass is shown from construction until finish(); left unfinished (a
// failure while composing), the document is dropped and the pointer restored.
class Printout {
public:
    // Prints the header of one page; `continued` is false on the first page.
    using PageHeader = std::function<void(bool continued)>;

    // Prints the first page's header. The counter starts at 1.
    Printout(Printer& printer, PageHeader header, PrintoutLayout layout = {});
    ~Printout();
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    // The page-line counter, for printouts that count more than their lines.
    int16_t& lineCounter() { return m_lines; }

    // Prints one counted body line through `print`, on a new page if one is due.
    void bodyLine(const std::function<void()>& print);
    // The next body line goes on a new page (a report's group change).
    void breakBeforeNextLine() { m_breakDue = true; }
    // Lines besides the body lines (a group's heading, a rule, a total), not
    // counted: on a new page when one is due.
    void extraLines(const std::function<void()>& print);
    // The footer, the end of the document, the normal pointer and the notice.
    void finish();

private:
    QString noticeText() const;
    void takeDueBreak();
    void startNewPage();

    Printer& m_printer;
    PageHeader m_header;
    PrintoutLayout m_layout;
    std::optional<BusyPointer> m_busy;
    int16_t m_lines = 1;
    int m_linesOnPage = 0;
    bool m_breakDue = false;
    bool m_finished = false;
};
