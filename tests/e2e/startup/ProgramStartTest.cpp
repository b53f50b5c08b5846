// The program's answers before any window: the version, a wrong option, and
// a start where no display can be opened, each with its exit status.
#include <QProcess>

#include <map>
#include <string>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1; // -1: crashed or hung
    QString out;
    QString err;
};

// An environment with only what a console start without a desktop has.
Outcome Start(const QStringList& arguments, const std::map<QString, QString>& variables = {})
{
    QProcessEnvironment environment;
    environment.insert("PATH", "/usr/bin:/bin");
    environment.insert("HOME", qEnvironmentVariable("TMPDIR", "/tmp"));
    for (const auto& [name, value] : variables)
        environment.insert(name, value);
    QProcess program; // ended by its destructor when it hangs
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KELVARA_PROGRAM), arguments);
    const bool ended = program.waitForFinished(20000) && program.exitStatus() == QProcess::NormalExit;
    return { ended ? program.exitCode() : -1, QString::fromLocal8Bit(program.readAllStandardOutput()),
        QString::fromLocal8Bit(program.readAllStandardError()) };
}

TEST(ProgramStart, OptionsAndAMissingDisplayEndWithTheirStatusAndOneLineOfReason)
{
    const struct {
        QStringList arguments;
        std::map<QString, QString> environment;
        int status;
        QString out; // the whole standard output
        QString errStart; // how the standard error begins; empty: nothing on it
    } cases[] = {
        { { "--version" }, {}, 0, "kelvara " KELVARA_VERSION "\n", "" },
        { { "--help" }, {}, 0, "", "" },
        { { "--verison", "clip.mp4" }, {}, 2, "", "kelvara: unknown option --verison\nUsage: kelvara" },
        { {}, {}, 1, "", "kelvara: cannot open the display: no X11 or Wayland display is set (DISPLAY)\n" },
        // Asked for X11 with a display that is not there: the plugin's own reason.
        { {}, { { "QT_QPA_PLATFORM", "xcb" }, { "DISPLAY", ":97" } }, 1, "",
            "kelvara: cannot open the display: " },
    };
    for (const auto& c : cases) {
        const Outcome run = Start(c.arguments, c.environment);
        const std::string name = c.arguments.join(' ').toStdString() + " / "
            + std::to_string(c.environment.size()) + ": " + run.err.toStdString();
        EXPECT_EQ(run.status, c.status) << name;
        EXPECT_TRUE(c.out.isEmpty() || run.out == c.out) << name << " / out: " << run.out.toStdString();
        EXPECT_TRUE(c.errStart.isEmpty() ? run.err.isEmpty() : run.err.startsWith(c.errStart)) << name;
        EXPECT_TRUE(c.status != 1 || run.err.count('\n') == 1) << name << " (one line, not a dump)";
    }
    EXPECT_TRUE(Start({ "--help" }).out.contains("--version"));
}

} // namespace
