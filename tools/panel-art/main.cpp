// zorvane-panel-art: draws the front-panel pictures the program loads from its bitmap folder.
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include <QtGlobal>
#include <QString>

#include "tools/panel-art/PanelArtInstall.h"

namespace {

// The off-screen platform complains about a missing runtime folder it never needs.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg || type == QtInfoMsg || text.startsWith(QStringLiteral("QStandardPaths:")))
        return;
    std::cerr << text.toStdString() << "\n";
}

void Usage(std::ostream& out)
{
    out << "usage: zorvane-panel-art [--out FOLDER] [--prefix PREFIX] [--contact-sheet FILE.png]\n"
           "  --out FOLDER            write every picture into FOLDER\n"
           "  --prefix PREFIX         write them into PREFIX/drive_c/Zorvane/GraphView/\n"
           "  --contact-sheet FILE    write one PNG showing every picture with its name\n";
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QuietMessages);
    std::string out, prefix, sheet;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue)
            out = argv[++i];
        else if (arg == "--prefix" && hasValue)
            prefix = argv[++i];
        else if (arg == "--contact-sheet" && hasValue)
            sheet = argv[++i];
        else if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        } else {
            Usage(std::cerr);
            return 2;
        }
    }
    if (out.empty() && prefix.empty() && sheet.empty()) {
        Usage(std::cerr);
        return 2;
    }
    try {
        if (!out.empty())
            std::cout << PanelArt::WritePanelArt(out) << " pictures in " << out << "\n";
        if (!prefix.empty())
            std::cout << PanelArt::InstallPanelArt(prefix) << " pictures in " << PanelArt::PanelArtFolder(prefix)
                      << "\n";
        if (!sheet.empty()) {
            PanelArt::WriteContactSheet(sheet);
            std::cout << "contact sheet " << sheet << "\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "zorvane-panel-art: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
