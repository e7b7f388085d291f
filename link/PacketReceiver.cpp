#include "link/PacketReceiver.h"

#include "core/Messages.h"
#include "link/LinkState.h"
#include "link/PacketFraming.h"
#include "platform/Clock.h"
#include "platform/serial/CommPort.h"
#include "platform/text/DateTimeText.h"

namespace {

QString dateTimeText(const QDateTime& when)
{
    return DateTimeText::shortDate(when.date()) + QLatin1Char(' ') + DateTimeText::longTime(when.time());
}

}

uint8_t GetPacket(CommPort& port)
{
    uint8_t action = 0;
    guarded(863, [&] {
        LinkState& link = linkState();
        QByteArray& buffer = link.RxAccumulator;
        for (;;) {
            if (port.inBufferCount() > 0)
                buffer.append(port.readInput());
            if (buffer.size() > Framing::AccumulatorLimit) {
                buffer.clear();
                raiseError(Err::Overflow);
            }
            if (buffer.size() < 2)
                return;
            const qsizetype before = buffer.size();
            QByteArray frame;
            if (ExtractPacket(buffer, frame)) {
                const QDateTime now = programClock().now();
                link.CurPacket = PacketRecord::fromFrame(frame, dateTimeText(now), now);
                action = link.CurPacket.Action;
                return;
            }
            if (buffer.size() == before || buffer.size() < 3)
                return;
        }
    });
    return action;
}

QString GetDateTimeStr()
{
    QString text;
    guarded(872, [&] { text = dateTimeText(programClock().now()); });
    return text;
}
