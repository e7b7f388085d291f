#include "platform/serial/CommPortFactory.h"

#include "platform/AppError.h"

namespace {

std::function<std::unique_ptr<CommPort>()>& factory()
{
    static std::function<std::unique_ptr<CommPort>()> f;
    return f;
}

// Stands in until the serial device layer is linked in.
class NoCommPort final : public CommPort {
public:
    void setCommPort(int16_t number) override { m_port = number; }
    int16_t commPort() const override { return m_port; }
    void setPortOpen(bool open) override
    {
        if (open)
            raiseError(CommError::InvalidPortNumber, QStringLiteral("Invalid port number"));
    }
    bool portOpen() const override { return false; }
    int inBufferCount() override { raiseError(CommError::PortNotOpen); }
    void clearInBuffer() override {}
    QByteArray readInput() override { raiseError(CommError::PortNotOpen); }

private:
    int16_t m_port = 1;
};

}

std::unique_ptr<CommPort> createCommPort()
{
    if (factory())
        return factory()();
    return std::make_unique<NoCommPort>();
}

void setCommPortFactoryForTests(std::function<std::unique_ptr<CommPort>()> f)
{
    factory() = std::move(f);
}
