#include "settings/settings_form.h"

#include "core/clock.h"
#include "core/operator.h"
#include "settings/vat_table.h"

namespace merovan {

namespace {

const QString kSerialBaud = QStringLiteral("9600");
const QString kNetworkPort = QStringLiteral("5012");

// The writer knows the Poseidon 21 by its full name only.
QString writtenModel(const QString &text)
{
    return text.compare(QLatin1StringView("pos21"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Poseidon 21")
                                                                                 : text;
}

// The value each check box carries, in the order of SettingsForm::Check.
bool ParamFileValues::*checkMember(SettingsForm::Check box)
{
    static constexpr bool ParamFileValues::*members[] = {
        &ParamFileValues::multiFile,
        &ParamFileValues::directDepartment,
        &ParamFileValues::printDescription,
        &ParamFileValues::itemCodeAsText,
        &ParamFileValues::itemCodeAsNumber,
        &ParamFileValues::comments,
        &ParamFileValues::quantityInDescription,
        &ParamFileValues::keyboardLocked,
        &ParamFileValues::autoStart,
    };
    return members[static_cast<int>(box)];
}

} // namespace

SettingsForm::SettingsForm(Operator &op, const Clock &clock, QString paramPath, QString vatPath, QObject *parent)
    : QObject(parent), op_(op), clock_(clock), paramPath_(std::move(paramPath)), vatPath_(std::move(vatPath)),
      vatBoxes_(kVatBoxes, QStringLiteral("0.00"))
{
    values_.baud = kSerialBaud;
}

QStringList SettingsForm::modelEntries() { return {QStringLiteral("MikroPos"), QStringLiteral("Pos21")}; }

bool SettingsForm::isChecked(Check box) const { return values_.*checkMember(box); }

void SettingsForm::setChecked(Check box, bool on)
{
    values_.*checkMember(box) = on;
    if (on && box == Check::ItemCodeAsText)
        values_.itemCodeAsNumber = false;
    if (on && box == Check::ItemCodeAsNumber)
        values_.itemCodeAsText = false;
    Q_EMIT changed();
}

void SettingsForm::setPort(const QString &text)
{
    values_.port = text;
    Q_EMIT changed();
}

void SettingsForm::setBaud(const QString &text)
{
    values_.baud = text;
    Q_EMIT changed();
}

void SettingsForm::setFile(const QString &text)
{
    values_.file = text;
    Q_EMIT changed();
}

void SettingsForm::setModel(const QString &text)
{
    values_.model = text;
    Q_EMIT changed();
}

void SettingsForm::setLocation(const QString &text)
{
    values_.location = text;
    Q_EMIT changed();
}

void SettingsForm::setCurrency(int option)
{
    values_.currency = option;
    Q_EMIT changed();
}

void SettingsForm::setVatBox(int index, const QString &text)
{
    if (index < 0 || index >= vatBoxes_.size())
        return;
    vatBoxes_[index] = text;
    Q_EMIT changed();
}

void SettingsForm::open()
{
    open_ = true;
    Q_EMIT opened();
    load();
}

void SettingsForm::restore()
{
    const bool autoStart = values_.autoStart;
    values_ = {};
    values_.port = QStringLiteral("0");
    values_.baud = QStringLiteral("0");
    values_.location = QStringLiteral(" ");
    values_.model = modelEntries().constFirst();
    values_.currency = 0;
    values_.autoStart = autoStart;
    load();
}

void SettingsForm::load()
{
    ParamReading reading;
    // A missing or unreadable file leaves the controls as they are; saving
    // then writes a complete new one.
    if (readParamFile(paramPath_, ParamReader::SettingsWindow, reading))
        apply(reading);
    vatBoxes_ = vatBoxTexts(vatPath_, clock_.decimalSeparator());
    Q_EMIT changed();
}

void SettingsForm::apply(const ParamReading &reading)
{
    if (!reading.connectionText.isEmpty()) {
        const QStringList pieces = reading.connectionText.split(QLatin1Char(':'));
        values_.port = pieces.constFirst();
        if (pieces.size() > 1)
            values_.baud = pieces.at(1);
    }
    const ParamSettings &s = reading.settings;
    // A file without these lines leaves the boxes as they are (empty, or
    // the defaults of restore).
    if (!s.file.isEmpty())
        values_.file = s.file;
    if (!s.location.isEmpty())
        values_.location = s.location;
    if (s.registerType == RegisterType::Mikro)
        values_.model = modelEntries().at(0);
    else if (s.registerType == RegisterType::Poseidon21)
        values_.model = modelEntries().at(1);
    values_.multiFile = s.multiFile == SettingSwitch::On;
    values_.printDescription = s.printDescription == SettingSwitch::On;
    values_.comments = s.comments == SettingSwitch::On;
    values_.quantityInDescription = s.quantityInDescription == SettingSwitch::On;
    values_.keyboardLocked = s.keyboardLocked == SettingSwitch::On;
    values_.directDepartment = s.directDepartment == SettingSwitch::On;
    // Ticking goes through the boxes' own rule, so one code box stays ticked.
    if (s.itemCode == ItemCodePrinting::AsNumber)
        setChecked(Check::ItemCodeAsNumber, true);
    else if (s.itemCode == ItemCodePrinting::AsText)
        setChecked(Check::ItemCodeAsText, true);
    else if (s.itemCode == ItemCodePrinting::None)
        values_.itemCodeAsText = values_.itemCodeAsNumber = false;
    // The window offers the first three rules only.
    if (s.currency == CurrencyRule::AsInJob || s.currency == CurrencyRule::Main
        || s.currency == CurrencyRule::Secondary)
        values_.currency = static_cast<int>(s.currency);
    // The file can switch automatic start on, never off.
    if (reading.autoStart)
        values_.autoStart = true;
}

bool SettingsForm::save()
{
    if (!baudVisible() && !values_.port.contains(QLatin1Char(':')))
        setBaud(kNetworkPort);

    ParamFileValues written = values_;
    written.model = writtenModel(values_.model);
    if (!writeParamFile(paramPath_, written, clock_.now().date())) {
        showWholeMessage(op_, paramWriteErrorText() + inFolder(paramPath_), MsgExclamation, {});
        return false;
    }

    VatRates rates{};
    const int collected = collectVatRates(vatBoxes_, rates, clock_.decimalSeparator());
    Q_EMIT changed(); // the boxes show their rewritten text
    if (collected != 0) {
        showMessage(op_, vatBoxesErrorText(), MsgExclamation);
        return false;
    }
    if (saveVatRates(vatPath_, rates) != 0)
        showWholeMessage(op_, vatSaveErrorText() + inFolder(vatPath_), MsgExclamation, {});

    QString caption = restartCaption();
    showMessage(op_, restartText(), MsgCritical, caption);
    close();
    Q_EMIT saved();
    return true;
}

void SettingsForm::close()
{
    if (!open_)
        return;
    open_ = false;
    Q_EMIT closed();
}

} // namespace merovan
