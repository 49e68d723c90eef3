#pragma once

#include "interpreter/interpreter.h"

#include <QString>

namespace merovan {

// The pieces that installSaleLines wires together. Job-line handlers cut
// the fields out of their line and hand a prepared record to sendSaleLine; the
// kind senders turn a record into register commands.

// Job lines (plu_line.cpp, adjustment_lines.cpp, comment_lines.cpp); each
// goes on with the next line, also when it drops its own line.
LineEnd pluLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd disLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd modLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd comLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd frtLine(Interpreter &interpreter, Job &job, const QString &line);
LineEnd fooLine(Interpreter &interpreter, Job &job, const QString &line);

// The category of a "PLU" line: from its VAT rate, or from its department
// field or the environmental fee marker when those apply; empty when there
// is none.
QString itemCategory(const QString &line, const ParamSettings &settings, QChar separator);

// Line kinds (item_commands.cpp, adjustments.cpp).
void sendItem(Interpreter &interpreter, Job &job, SaleLine &sale);
void sendSubtotalAdjustment(Interpreter &interpreter, SaleLine &sale);
void sendItemAdjustment(Interpreter &interpreter, SaleLine &sale);

// An adjustment field worth a command: not empty and not zero.
bool adjustmentWorthSending(const QString &field);

// The footer lines collected from "foo" lines, at the end of the job.
void printFooter(Interpreter &interpreter, const Job &job);

} // namespace merovan
