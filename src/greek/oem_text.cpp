#include "greek/oem_text.h"

#include "greek/cp737.h"

namespace merovan {

// The whole text is converted, not only its first 255 characters: a marker
// late in a long description should be found like any other. Characters
// that Windows-1253 lacks (box drawing, a few symbols) stay as they are
// rather than taking a best-fit look-alike; no marker contains them.
QString oemToAnsi(const QByteArray &oemBytes)
{
    QString out;
    out.reserve(oemBytes.size());
    for (char b : oemBytes) {
        if (b != '\0')
            out.append(cp737Char(static_cast<unsigned char>(b)));
    }
    return out;
}

} // namespace merovan
