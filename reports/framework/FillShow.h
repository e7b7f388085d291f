#pragma once

// What the user sees while a report rebuilds its work table: the report
// filter window's animation plays and the report window is disabled. A fill
// starts the show only once it knows there is something to fill.
class FillShow {
public:
    virtual ~FillShow() = default;
    // Runs inside the fill's transaction: it must not let the event loop run,
    // or the link's next rows would join the fill's transaction.
    virtual void start() = 0;
    // At a fill's normal end the show pauses first, so the user sees it;
    // a failed fill ends it at once. Ending a show not started does no harm.
    virtual void end(bool pause) = 0;
};

// A fill without anything to see (the command-line tool, the benchmark).
class NoFillShow final : public FillShow {
public:
    void start() override {}
    void end(bool) override {}
};
