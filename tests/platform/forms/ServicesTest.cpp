// Clipboard, printer and the shell's "open this address".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/forms/Clipboard.h"
#include "platform/forms/Printer.h"
#include "platform/forms/Shell.h"
#include "TestSupport.h"

TEST(Clipboard, TextAndNamedFormatsTravelTogether)
{
    const Word grid = RegisterClipboardFormat("Zorvane grid cells");
    EXPECT_EQ(RegisterClipboardFormat("Zorvane grid cells"), grid);
    const char cells[] = "1\t2\r\n3\t4";
    Clipboard()->Open();
    Clipboard()->SetAsText("1\t2");
    Clipboard()->SetBuffer(grid, cells, sizeof cells);
    Clipboard()->Close();
    EXPECT_EQ(Clipboard()->AsText(), "1\t2");
    EXPECT_TRUE(Clipboard()->HasFormat(grid));
    const auto back = Clipboard()->GetBuffer(grid);
    EXPECT_EQ(std::string(back.begin(), back.end()), std::string(cells, sizeof cells));
    // Outside Open/Close a placement replaces everything.
    Clipboard()->SetAsText("only text");
    EXPECT_FALSE(Clipboard()->HasFormat(grid));
    EXPECT_EQ(Clipboard()->AsText(), "only text");
}

TEST(Printer, PagesGoToAPdfFile)
{
    const std::string path = TestOutputPath("printer_test.pdf");
    std::filesystem::remove(path);
    TPrinter p;
    p.SetOutputFileName(path);
    p.SetTitle("Sweep Graph");
    p.BeginDoc();
    EXPECT_TRUE(p.Printing());
    EXPECT_GT(p.PageWidth(), 2000);
    p.Canvas()->Font()->SetSize(24);
    p.Canvas()->TextOut(200, 200, "Page one");
    p.NewPage();
    EXPECT_EQ(p.PageNumber(), 2);
    p.Canvas()->Rectangle(100, 100, 1000, 600);
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(p.LastOutput(), path);
    std::ifstream f(path, std::ios::binary);
    std::string head(4, '\0');
    f.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_THROW(p.EndDoc(), EPrinter);
}

TEST(Shell, AddressesAreRecordedNotOpenedInTests)
{
    ClearShellOpenedAddresses();
    EXPECT_TRUE(ShellOpenAddress("https://example.com/zorvane"));
    ASSERT_EQ(ShellOpenedAddresses().size(), 1u);
    EXPECT_EQ(ShellOpenedAddresses()[0], "https://example.com/zorvane");
}
