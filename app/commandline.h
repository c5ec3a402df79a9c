#pragma once
// The program's command line and the start request a second start hands to the running
// instance. Parsing and the request body are plain functions of strings and bytes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct StartOptions {
    static constexpr int kFirstProfile = 1;
    static constexpr int kLastProfile = 10;

    bool hidden = false; // --hidden: the window stays hidden; the tray shows as usual
    int profile = 0;     // --profile N, 1..10; 0 when not given
    // Not an option: the activation token the desktop gave this start (XDG_ACTIVATION_TOKEN),
    // handed to the running instance so that it may raise its window on Wayland.
    QByteArray activationToken;

    // Whether this start asks for the window: a plain start does; --hidden and --profile
    // (a switch from a script or a shortcut) leave it as it is.
    bool showsWindow() const { return !hidden && profile == 0; }
    // The profile number the scene uses (0..9), or -1 when no profile was given.
    int sceneProfile() const { return profile > 0 ? profile - 1 : -1; }

    bool operator==(const StartOptions &other) const
    {
        return hidden == other.hidden && profile == other.profile &&
               activationToken == other.activationToken;
    }
};

struct CommandLine {
    enum Action {
        Run,         // start (or hand the options to the running instance)
        ShowHelp,    // print text on stdout, exit 0
        ShowVersion, // print text on stdout, exit 0
        Refuse,      // print text on stderr, exit 2
    };
    Action action = Run;
    StartOptions options;
    QString text; // what to print for the three other actions

    int exitStatus() const { return action == Refuse ? 2 : 0; }
};

// arguments: the whole argument list, program name first. The version is the application's
// (QCoreApplication::applicationVersion).
CommandLine parseCommandLine(const QStringList &arguments);

namespace startrequest
{
// The body of a start request: one line per option ("hidden", "profile=N", "token=T"), an empty
// body for a plain start. decode() returns nothing for a body that is not exactly such a list;
// a token is 1 to kMaxTokenLength printable ASCII characters without blanks.
constexpr int kMaxTokenLength = 512;
QByteArray encode(const StartOptions &options);
std::optional<StartOptions> decode(const QByteArray &body);
} // namespace startrequest
