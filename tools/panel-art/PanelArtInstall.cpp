#include "tools/panel-art/PanelArtInstall.h"

#include <filesystem>
#include <system_error>

#include <QImage>
#include <QString>

#include "platform/core/Exceptions.h"
#include "platform/win/Paths.h"
#include "tools/panel-art/BmpFile.h"
#include "tools/panel-art/ContactSheet.h"
#include "tools/panel-art/PanelArtApplication.h"
#include "tools/panel-art/PanelArtPainter.h"
#include "tools/panel-art/PanelArtTable.h"

namespace PanelArt {
namespace {

void MakeFolder(const std::filesystem::path& folder)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder))
        throw EFCreateError("Cannot create folder " + folder.string());
}

}  // namespace

std::string PanelArtFolder(const std::string& prefix)
{
    return MapWindowsPathIn(prefix, "C:\\Zorvane\\GraphView\\");
}

int WritePanelArt(const std::string& folder)
{
    PanelArtApplication app;
    const std::filesystem::path dir(folder);
    MakeFolder(dir);
    int count = 0;
    for (const PanelArtEntry& e : PanelArtTable()) {
        WriteBmp24(PaintPanelArt(e), (dir / e.Name).string());
        ++count;
    }
    return count;
}

int InstallPanelArt(const std::string& prefix)
{
    return WritePanelArt(PanelArtFolder(prefix));
}

void WriteContactSheet(const std::string& pngPath)
{
    PanelArtApplication app;
    const std::filesystem::path path(pngPath);
    if (path.has_parent_path())
        MakeFolder(path.parent_path());
    if (!RenderContactSheet().save(QString::fromStdString(pngPath), "PNG"))
        throw EFCreateError("Cannot create file " + pngPath);
}

}  // namespace PanelArt
