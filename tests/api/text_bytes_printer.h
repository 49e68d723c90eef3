#pragma once

#include <QByteArray>

#include <ostream>

// The API's bytes are text (JSON, headers): failures print them as text.
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toStdString() << '"';
}
