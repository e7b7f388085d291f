#pragma once

// Hands the core what the subsystems add to it: the layout of the database
// and what a start puts back of the link. The program, the tests and the
// benchmark call it before the core runs.
void JoinSubsystems();
