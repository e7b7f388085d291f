#pragma once

#include "platform/serial/CommPort.h"

#include <QByteArray>
#include <utility>

// A port that is always open and hands out, on every read, what the benchmark put in `waiting`.
class ChunkPort final : public CommPort {
public:
    void setCommPort(int16_t) override {}
    int16_t commPort() const override { return 1; }
    void setPortOpen(bool) override {}
    bool portOpen() const override { return true; }
    int inBufferCount() override { return static_cast<int>(waiting.size()); }
    void clearInBuffer() override { waiting.clear(); }
    QByteArray readInput() override { return std::exchange(waiting, {}); }
    QByteArray waiting;
};
