#pragma once

// Hands the core what the subsystems add to it: the layout of the database,
// what a start puts back of the link, and the reports built on the report
// framework. The program, the tests and the benchmark call it before the core
// runs.
void JoinSubsystems();

// The program's own, not gt430-report's: the door's rows that wait for the
// database are kept in a journal beside it, and the start stores what the
// last run left there as soon as the database opens. After JoinSubsystems().
void KeepWhatWaitsInAJournal();
