#pragma once

#include "payments/payment_types.h"
#include "settings/param_file.h"
#include "settings/vat_table.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

namespace merovan {

// The example set-up of one register, as the package ships it in
// /usr/share/doc/merovan/examples and as "--init" writes it.

// param.ini: a register on the network (192.168.1.20, UDP port 5012), the
// numbered job files print.1 .. print.10 in jobFolder, descriptions and
// comments printed, payments as the job says, printing started as soon as
// the register answers. An empty jobFolder leaves [location] empty.
ParamFileValues exampleSettings(const QString &jobFolder);

// vats.dat: A 24, B 13, C 6, D 0, E 17.
VatRates exampleVatRates();

// payeft.dat: payment type 2 is a card payment on the register's key 2
// through card terminal 1, tried three times, with no fallback key; the
// other types are the register's own keys.
PaymentTypeRecord exampleCardPaymentType();

// Writes param.ini, vats.dat and payeft.dat into folder, each only when the
// folder has none yet; written gets the names of those written. False with
// the reason when one cannot be written.
bool writeExampleFiles(const QString &folder, const QString &jobFolder, const QDate &today, QStringList &written,
                       QString &whyNot);

// A register's folder (merovand --init FOLDER):
//   FOLDER        the bridge's working folder (settings, data files, log,
//                 journal, "Result"), mode 0755;
//   FOLDER/jobs   the job folder: mode 2775, so the group's members (a host
//                 program's user) may hand over jobs, and files made there
//                 belong to the group.
// The example files are written where missing; files already there are
// kept, so running it again only mends owners and modes. Every folder and
// file made or kept goes through giveAway (the service user, when run as
// root). Returns the lines to print; false with the reason on failure.
using GiveAway = std::function<bool(const QString &path, QString &whyNot)>;
bool setUpRegisterFolder(const QString &folder, const QDate &today, const GiveAway &giveAway, QStringList &report,
                         QString &whyNot);

// The set-up command: as root the folder goes to the service user; prints
// what was done and what is left to do. Exit status 0, or 1 with the reason
// on standard error.
int runRegisterSetUp(const QString &folder);

} // namespace merovan
