#pragma once

#include "platform/printing/PrintSystem.h"

// While it lives, the print system is given up after `ms` of silence, so a
// test of a daemon that stops answering ends in seconds.
class ShortAnswerBound {
public:
    explicit ShortAnswerBound(int ms) { PrintSystem::setAnswerBoundForTests(std::chrono::milliseconds(ms)); }
    ~ShortAnswerBound() { PrintSystem::setAnswerBoundForTests(std::chrono::milliseconds(0)); }
    ShortAnswerBound(const ShortAnswerBound&) = delete;
    ShortAnswerBound& operator=(const ShortAnswerBound&) = delete;
};
