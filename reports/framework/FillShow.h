#pragma once

// What the user sees while a report rebuilds its work table: the report
// filter window's animation plays and the report window is disabled. A fill
// starts the show only once it knows there is something to fill. Both are
// called on the thread the fill runs on, which may be beside the window's.
class FillShow {
public:
    virtual ~FillShow() = default;
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
