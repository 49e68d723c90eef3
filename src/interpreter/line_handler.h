#pragma once

#include "interpreter/interpreter.h"

namespace merovan {

// A keyword's handler written as a plain function of the interpreter, the
// job and the line, saying how the line ends.
using LineHandler = LineEnd (*)(Interpreter &interpreter, Job &job, const QString &line);

inline void setLineHandler(Interpreter &interpreter, const QString &keyword, LineHandler handle)
{
    Interpreter *in = &interpreter;
    interpreter.setHandler(keyword, [in, handle](Job &job, const QString &line) { return handle(*in, job, line); });
}

} // namespace merovan
