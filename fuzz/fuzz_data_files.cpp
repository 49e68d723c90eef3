// Any bytes as payeft.dat (the payment types) and as vats.dat (the VAT
// rates), read the ways the bridge reads them.
#include "fuzz_support.h"

#include "payments/payment_types.h"
#include "recording_operator.h"
#include "settings/vat_table.h"

using namespace merovan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static test::RecordingOperator op;
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString payments = fuzz::writeScratch(QStringLiteral("payeft.dat"), bytes);
    for (const int type : {1, 2, 9, 32767}) {
        readPaymentType(op, type, payments);
        PaymentTypeRecord record;
        record.typeNumber = qint16(type);
        readPaymentTypeQuietly(record, payments);
    }
    const QString vats = fuzz::writeScratch(QStringLiteral("vats.dat"), bytes);
    for (int index = 0; index < 5; ++index)
        readVatRate(vats, index);
    vatBoxTexts(vats, QLatin1Char(','));
    op.boxes.clear();
    return 0;
}
