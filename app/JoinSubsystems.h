#pragma once

// Hands the core what the subsystems add to it: the layout of the database,
// what a start puts back of the link, and the reports built on the report
// framework. The program, the tests and the benchmark call it before the core
// runs.
void JoinSubsystems();
