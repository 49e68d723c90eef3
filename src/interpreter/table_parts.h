#pragma once

#include <QString>

namespace merovan {

class Interpreter;
enum class LineEnd;
struct Job;

// The table lines that installTables wires together.

// Opening and closing (table_open_close.cpp).
LineEnd tboLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd tbcLine(Interpreter &interpreter, Job &job, const QString &line);

// Moving and paying in part (table_moves.cpp).
LineEnd tbtLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd tptLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd tbsLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd tbeLine(Interpreter &interpreter, Job &job, const QString &line);

// Refuses a table number: the message, then the job stops.
LineEnd wrongTableNumber(Interpreter &interpreter);

} // namespace merovan
