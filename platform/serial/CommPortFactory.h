#pragma once

#include "platform/serial/CommPort.h"

#include <functional>
#include <memory>

// The port the main window opens; tests hand in a port of their own.
std::unique_ptr<CommPort> createCommPort();
void setCommPortFactoryForTests(std::function<std::unique_ptr<CommPort>()> factory);
