#include "platform/serial/CommPortFactory.h"

#include "platform/serial/SerialCommPort.h"

namespace {

std::function<std::unique_ptr<CommPort>()>& factory()
{
    static std::function<std::unique_ptr<CommPort>()> f;
    return f;
}

}

std::unique_ptr<CommPort> createCommPort()
{
    if (factory())
        return factory()();
    return std::make_unique<SerialCommPort>();
}

void setCommPortFactoryForTests(std::function<std::unique_ptr<CommPort>()> f)
{
    factory() = std::move(f);
}
