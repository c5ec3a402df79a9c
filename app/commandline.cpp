#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace
{

// The texts of the command line; translated once an application object carries the user's
// translations (the entry function parses again with one for --help and refused options).
QString translated(const char *source)
{
    return QCoreApplication::translate("CommandLine", source);
}

const QString kHiddenName = QStringLiteral("hidden");
const QString kProfileName = QStringLiteral("profile");
const QByteArray kTokenPrefix = QByteArrayLiteral("token=");

bool validToken(const QByteArray &token)
{
    if (token.isEmpty() || token.size() > startrequest::kMaxTokenLength)
        return false;
    for (const char c : token) {
        if (c < 0x21 || c > 0x7e)
            return false;
    }
    return true;
}

// The profile number of a --profile value, or 0 when it is not a whole number in range.
int profileNumber(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok || text.trimmed() != text || text.startsWith(QLatin1Char('+')))
        return 0;
    return n >= StartOptions::kFirstProfile && n <= StartOptions::kLastProfile ? n : 0;
}

QString profileRangeMessage(const QString &value)
{
    return QCoreApplication::translate("CommandLine",
                                       "--profile takes a profile number from %1 to %2, not "
                                       "\"%3\".")
        .arg(StartOptions::kFirstProfile)
        .arg(StartOptions::kLastProfile)
        .arg(value);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(translated(QT_TRANSLATE_NOOP(
        "CommandLine",
        "Configures the buttons, DPI stages, report rate, lighting, macros and profiles of "
        "the gaming mouse.\nA second start hands its options to the running instance and "
        "ends.")));
    // Not addHelpOption(): its --help-all lists Qt's own options, which are not read here.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        translated(QT_TRANSLATE_NOOP("CommandLine", "Displays help on commandline options.")));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption hidden(
        kHiddenName,
        translated(QT_TRANSLATE_NOOP(
            "CommandLine", "Start with the window hidden; the tray icon shows as usual.")));
    const QCommandLineOption profile(
        kProfileName,
        translated(QT_TRANSLATE_NOOP(
            "CommandLine",
            "Switch to profile N (1 to 10) once the mouse is connected, as the profile list of "
            "the top bar does. Starts hidden.")),
        QStringLiteral("N"));
    parser.addOption(hidden);
    parser.addOption(profile);

    CommandLine result;
    // Parsed before the application object exists, which would give Qt's help its program name.
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Refuse;
        result.text = parser.errorText() + QStringLiteral("\n\n") + usage;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Refuse;
        result.text = translated(QT_TRANSLATE_NOOP("CommandLine", "Unexpected argument \"%1\"."))
                          .arg(parser.positionalArguments().constFirst()) +
                      QStringLiteral("\n\n") + usage;
        return result;
    }
    if (parser.isSet(help)) {
        result.action = CommandLine::ShowHelp;
        result.text = usage;
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::ShowVersion;
        result.text =
            program + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return result;
    }
    result.options.hidden = parser.isSet(hidden);
    if (parser.isSet(profile)) {
        const QStringList values = parser.values(profile);
        const int number = values.size() == 1 ? profileNumber(values.constFirst()) : 0;
        if (number == 0) {
            result.action = CommandLine::Refuse;
            result.text =
                values.size() != 1
                    ? translated(QT_TRANSLATE_NOOP("CommandLine", "--profile may be given once.")) +
                          QLatin1Char('\n')
                    : profileRangeMessage(values.constFirst()) + QLatin1Char('\n');
            return result;
        }
        result.options.profile = number;
    }
    return result;
}

namespace startrequest
{

QByteArray encode(const StartOptions &options)
{
    QByteArrayList lines;
    if (options.hidden)
        lines << kHiddenName.toLatin1();
    if (options.profile != 0)
        lines << kProfileName.toLatin1() + '=' + QByteArray::number(options.profile);
    if (validToken(options.activationToken))
        lines << kTokenPrefix + options.activationToken;
    return lines.join('\n');
}

std::optional<StartOptions> decode(const QByteArray &body)
{
    StartOptions options;
    if (body.isEmpty())
        return options;
    bool seenHidden = false;
    bool seenProfile = false;
    bool seenToken = false;
    const QByteArray profilePrefix = kProfileName.toLatin1() + '=';
    for (const QByteArray &line : body.split('\n')) {
        if (line == kHiddenName.toLatin1() && !seenHidden) {
            seenHidden = true;
            options.hidden = true;
        } else if (line.startsWith(profilePrefix) && !seenProfile) {
            seenProfile = true;
            options.profile = profileNumber(QString::fromLatin1(line.mid(profilePrefix.size())));
            if (options.profile == 0)
                return std::nullopt;
        } else if (line.startsWith(kTokenPrefix) && !seenToken) {
            seenToken = true;
            options.activationToken = line.mid(kTokenPrefix.size());
            if (!validToken(options.activationToken))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

} // namespace startrequest
