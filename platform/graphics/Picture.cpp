#include "platform/graphics/Picture.h"

#include <cctype>
#include <sys/stat.h>

#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/StringUtils.h"
#include "platform/graphics/ImageFile.h"

namespace {
// Size and modification time (to the nanosecond) of a file; empty when there is none.
std::string FileStamp(const AnsiString& FileName)
{
    struct stat st {};
    if (stat(FileName.c_str(), &st) != 0)
        return {};
    return std::to_string(st.st_size) + ":" + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec);
}

std::unique_ptr<TGraphic> NewLike(TGraphic* g)
{
    if (dynamic_cast<TIcon*>(g))
        return std::make_unique<TIcon>();
    if (dynamic_cast<TImageFile*>(g))
        return std::make_unique<TImageFile>();
    return std::make_unique<TBitmap>();
}
} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    FSourceFile.clear();
    FireEvent(OnChange, this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> G)
{
    FGraphic = std::move(G);
    if (FGraphic)
        FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* v)
{
    if (!v) {
        Adopt(nullptr);
        return;
    }
    if (v == FGraphic.get())
        return;
    auto g = NewLike(v);
    g->Assign(v);
    Adopt(std::move(g));
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get()))
        Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
    if (!dynamic_cast<TIcon*>(FGraphic.get()))
        Adopt(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::LoadFromFile(const AnsiString& FileName)
{
    std::string stamp = FileStamp(FileName);
    if (FGraphic && !stamp.empty() && FileName == FSourceFile && stamp == FSourceStamp)
        return;
    const AnsiString ext = LowerCase(ExtractFileExt(FileName));
    std::unique_ptr<TGraphic> g;
    if (ext == ".bmp")
        g = std::make_unique<TBitmap>();
    else if (ext == ".ico")
        g = std::make_unique<TIcon>();
    else if (ext == ".png" || ext == ".gif" || ext == ".jpg" || ext == ".jpeg")
        g = std::make_unique<TImageFile>();
    else
        throw EInvalidGraphic("Unknown picture file extension (" + ext + ")");
    g->LoadFromFile(FileName);
    Adopt(std::move(g));
    FSourceFile = FileName;
    FSourceStamp = std::move(stamp);
}

void TPicture::SaveToFile(const AnsiString& FileName)
{
    if (FGraphic)
        FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(p->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}
