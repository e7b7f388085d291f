#pragma once

#include "platform/AppError.h"

// The number of the failure the statement raised, 0 when it raised none.
template <class F>
int failureOf(F&& f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

// The description of the failure the statement raised, empty when it raised none.
template <class F>
QString failureTextOf(F&& f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.description();
    }
    return {};
}
