#include "core/Printout.h"

#include "core/PrintHelpers.h"
#include "core/PrintNotice.h"
#include "platform/printing/Printer.h"

Printout::Printout(Printer& printer, PageHeader header, PrintoutLayout layout)
    : m_printer(printer), m_header(std::move(header)), m_layout(std::move(layout))
{
    m_busy.emplace();
    // Its failure ends the printout at once, not the first page header's drawing.
    m_printer.beginDoc();
    if (m_header)
        m_header(false);
}

Printout::~Printout()
{
    if (!m_finished)
        m_printer.abandonDoc();
}

void Printout::bodyLine(const std::function<void()>& print)
{
    if (m_layout.check == PageCheck::BeforeEachLine && CheckNewPage(m_lines))
        m_breakDue = true;
    takeDueBreak();

    if (print)
        print();
    ++m_linesOnPage;

    if (m_layout.check == PageCheck::AfterEachLine && CheckNewPage(m_lines))
        m_breakDue = true;
}

void Printout::extraLines(const std::function<void()>& print)
{
    takeDueBreak();
    if (print)
        print();
    ++m_linesOnPage;
}

void Printout::finish()
{
    if (m_finished)
        return;
    // A break still due here has no line to carry: the document ends on this page.
    PrintPageFooter(m_printer, m_layout.footerX);
    if (m_layout.afterLastFooter)
        m_layout.afterLastFooter();
    m_printer.endDoc();
    m_finished = true;
    m_busy.reset();
    if (m_layout.notice)
        ShowPrintNotice(noticeText());
}

QString Printout::noticeText() const
{
    return m_layout.noticeText ? m_layout.noticeText() : PagePrintingMsg();
}

void Printout::takeDueBreak()
{
    // A break asked for before anything stands on the page would leave it empty.
    if (m_breakDue && m_linesOnPage > 0)
        startNewPage();
    m_breakDue = false;
}

void Printout::startNewPage()
{
    PrintPageFooter(m_printer, m_layout.footerX);
    if (m_layout.notice)
        UpdatePrintNotice(noticeText());
    // The reports restart their count at 1; counting after each line, a new
    // page stands where a full one leaves the count (a group change included).
    m_lines = m_layout.check == PageCheck::BeforeEachLine ? 1 : 2;
    m_printer.newPage();
    m_linesOnPage = 0;
    if (m_header)
        m_header(true);
}
