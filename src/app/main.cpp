// Kelvara's entry point. Until the skinned main dialog exists, a plain
// placeholder window shows that the program folder is complete.
#include "commands/OutputNaming.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tarvo");
    QApplication::setApplicationName("Kelvara");

    QLabel placeholder(QStringLiteral("Kelvara\n\nThe main window is being built."));
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.setWindowTitle(QStringLiteral("Kelvara"));
    placeholder.resize(480, 240);
    placeholder.show();
    const int result = QApplication::exec();
    // Intermediate files live only as long as the program that made them.
    kelvara::RemoveIntermediateFilesOfThisProcess(kelvara::IntermediateFolder());
    return result;
}
