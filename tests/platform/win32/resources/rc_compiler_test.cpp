// The resource compiler on scripts given as text: what each statement compiles to, and
// that every error names the file, the line and what was expected.
#include "rc_generator.h"
#include "rc_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A fresh folder for scripts that include files or read bitmaps.
class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("kzrc_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
        return file(name);
    }

private:
    fs::path path_;
};

kzrc::Script compile(const std::string& text) {
    return kzrc::compileText(text, "/virtual/test.rc", {});
}

// Compiling must fail at `line` of `file` with a message containing `part`.
void expectError(const std::string& text, int line, const std::string& part,
                 const std::string& file = "/virtual/test.rc") {
    try {
        kzrc::compileText(text, "/virtual/test.rc", {});
        ADD_FAILURE() << "no error; expected: " << part;
    } catch (const kzrc::RcError& e) {
        EXPECT_EQ(e.where.file, file) << e.what();
        EXPECT_EQ(e.where.line, line) << e.what();
        EXPECT_NE(e.message.find(part), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).rfind(file + ":" + std::to_string(line) + ": ", 0), 0u);
    }
}

const kzrc::ControlDef& control(const kzrc::DialogDef& d, int id) {
    for (const auto& c : d.controls) {
        if (c.id == id) {
            return c;
        }
    }
    throw std::runtime_error("no control " + std::to_string(id));
}

} // namespace

TEST(RcStrings, TextsEscapesAndLanguages) {
    auto s = compile(R"(
LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
STRINGTABLE
BEGIN
    100 "\n線分を選択: "
    101, "say ""hi"" \"there\"\ttab\\"
    0x66 "\x41\x3042\101"
END
STRINGTABLE LANGUAGE 9, 1 { 100 L"English" }
)");
    ASSERT_EQ(s.strings.size(), 4u);
    EXPECT_EQ(s.strings[0].id, 100);
    EXPECT_EQ(s.strings[0].language, 1041);
    EXPECT_EQ(s.strings[0].text, L"\n線分を選択: ");
    EXPECT_EQ(s.strings[1].text, L"say \"hi\" \"there\"\ttab\\");
    EXPECT_EQ(s.strings[2].id, 102);
    EXPECT_EQ(s.strings[2].text, L"Aあ\101");
    EXPECT_EQ(s.strings[3].language, 1033);
    EXPECT_EQ(s.strings[3].text, L"English");
}

TEST(RcStrings, DefaultLanguageComesFromOptions) {
    kzrc::Options options;
    options.defaultLanguage = 1041;
    auto s = kzrc::compileText("STRINGTABLE BEGIN 1 \"a\" END", "x.rc", options);
    EXPECT_EQ(s.strings.at(0).language, 1041);
    EXPECT_EQ(compile("STRINGTABLE BEGIN 1 \"a\" END").strings.at(0).language, 1033);
}

TEST(RcDialogs, StatementsGiveWindowsDefaultStyles) {
    auto s = compile(R"(
#define IDD_X 200
IDD_X DIALOGEX 1, 2, 287, 273, 77
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
EXSTYLE WS_EX_TOOLWINDOW
CAPTION "設定"
FONT 9, "ＭＳ Ｐゴシック", 400, 1, 0x80
BEGIN
    LTEXT "label", IDC_STATIC, 189, 5, 33, 8
    RTEXT "r", -1, 0, 0, 1, 1
    EDITTEXT 201, 246, 21, 36, 12, ES_AUTOHSCROLL
    EDITTEXT 202, 1, 1, 60, 12, ES_AUTOHSCROLL | NOT WS_BORDER
    COMBOBOX 224, 223, 3, 60, 192, CBS_DROPDOWNLIST | WS_VSCROLL
    DEFPUSHBUTTON "OK", IDOK, 190, 234, 92, 14
    PUSHBUTTON "Cancel", IDCANCEL, 190, 252, 92, 14, NOT WS_TABSTOP, WS_EX_CLIENTEDGE, 5
    GROUPBOX "g", -1, 189, 159, 94, 70
    AUTOCHECKBOX "a", 230, 0, 0, 9, 9
    CONTROL "check", 231, "button", BS_AUTOCHECKBOX | WS_TABSTOP, 189, 127, 93, 9
    CONTROL "", 232, BUTTON, BS_AUTOCHECKBOX | NOT WS_VISIBLE, 0, 0, 1, 1
    CONTROL 210, -1, "Static", SS_BITMAP | SS_REALSIZEIMAGE, 3, 4, 183, 263
    CONTROL "x", 233, "msctls_trackbar32", 0, 0, 0, 1, 1, WS_EX_STATICEDGE
END
)");
    ASSERT_EQ(s.dialogs.size(), 1u);
    const auto& d = s.dialogs[0];
    EXPECT_EQ(d.id, 200);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.x, 1);
    EXPECT_EQ(d.y, 2);
    EXPECT_EQ(d.cx, 287);
    EXPECT_EQ(d.cy, 273);
    EXPECT_EQ(d.helpId, 77u);
    EXPECT_EQ(d.style, 0x80C800C0u); // the four styles and DS_SETFONT for the font
    EXPECT_EQ(d.exStyle, 0x80u);
    EXPECT_EQ(d.caption, L"設定");
    EXPECT_EQ(d.fontFace, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(d.fontPointSize, 9);
    EXPECT_EQ(d.fontWeight, 400);
    EXPECT_EQ(d.fontItalic, 1);
    EXPECT_EQ(d.fontCharset, 0x80);
    ASSERT_EQ(d.controls.size(), 13u);

    const auto& label = d.controls[0];
    EXPECT_EQ(label.className, L"Static");
    EXPECT_EQ(label.text, L"label");
    EXPECT_EQ(label.id, -1);
    EXPECT_EQ(label.style, 0x50020000u); // WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT
    EXPECT_EQ(d.controls[1].style, 0x50020002u);
    EXPECT_EQ(control(d, 201).className, L"Edit");
    EXPECT_EQ(control(d, 201).style, 0x50810080u); // border and tab stop by default
    EXPECT_EQ(control(d, 202).style, 0x50010080u);
    EXPECT_EQ(control(d, 224).className, L"ComboBox");
    EXPECT_EQ(control(d, 224).style, 0x50210003u);
    EXPECT_EQ(control(d, 1).style, 0x50010001u);
    const auto& cancel = control(d, 2);
    EXPECT_EQ(cancel.style, 0x50000000u);
    EXPECT_EQ(cancel.exStyle, 0x200u);
    EXPECT_EQ(cancel.helpId, 5u);
    EXPECT_EQ(d.controls[7].style, 0x50000007u); // group box: no tab stop
    EXPECT_EQ(control(d, 230).style, 0x50010003u);
    EXPECT_EQ(control(d, 231).className, L"Button");
    EXPECT_EQ(control(d, 231).style, 0x50010003u);
    EXPECT_EQ(control(d, 232).style, 0x40000003u); // hidden
    const auto& picture = d.controls[11];
    EXPECT_EQ(picture.imageId, 210);
    EXPECT_EQ(picture.text, L"");
    EXPECT_EQ(picture.style, 0x5000080Eu);
    EXPECT_EQ(picture.cx, 183);
    EXPECT_EQ(control(d, 233).className, L"msctls_trackbar32");
    EXPECT_EQ(control(d, 233).exStyle, 0x20000u);
}

TEST(RcDialogs, DefaultStyleAndPlainDialog) {
    auto s = compile("5 DIALOG 0, 0, 10, 10 BEGIN END\n"
                     "6 DIALOG DISCARDABLE 0, 0, 10, 10 CAPTION \"c\" FONT 8, \"f\" { }\n");
    EXPECT_FALSE(s.dialogs[0].extended);
    EXPECT_EQ(s.dialogs[0].style, 0x80880000u); // WS_POPUP | WS_BORDER | WS_SYSMENU
    EXPECT_EQ(s.dialogs[1].style, 0x80C80040u); // with WS_CAPTION and DS_SETFONT
    EXPECT_EQ(s.dialogs[1].fontPointSize, 8);
}

TEST(RcDialogs, ListDataFillsControlsInOrderWhereverItStands) {
    auto s = compile(R"(
LANGUAGE 0x11, 1
200 DLGINIT
BEGIN
    224, "塗潰し矢印",
    224, "黒丸"
    226, "中心"
END
200 DIALOGEX 0, 0, 10, 10
BEGIN
    COMBOBOX 224, 0, 0, 1, 1, CBS_DROPDOWNLIST
    LISTBOX 226, 0, 0, 1, 1
    COMBOBOX 225, 0, 0, 1, 1
END
)");
    const auto& d = s.dialogs.at(0);
    EXPECT_EQ(control(d, 224).listItems, (std::vector<std::wstring>{L"塗潰し矢印", L"黒丸"}));
    EXPECT_EQ(control(d, 226).listItems, (std::vector<std::wstring>{L"中心"}));
    EXPECT_TRUE(control(d, 225).listItems.empty());
}

TEST(RcPreprocessor, DefinesConditionsAndIncludes) {
    TempDir dir;
    dir.write("resource.h", "// ids\n#pragma once\n#define IDS_A 100\n#define IDS_B (IDS_A + 1)\n"
                            "#ifdef APSTUDIO_INVOKED\n#define IDS_A 999\n#endif\n"
                            "int notResource(void); /* C code in a header is skipped */\n");
    const std::string rc = dir.write("test.rc", R"(#include "resource.h"
#include <windows.h>
#include "afxres.h"
#define TWICE(x) x
)");
    // A function-like macro is refused at its line.
    try {
        kzrc::compileFile(rc, {});
        ADD_FAILURE();
    } catch (const kzrc::RcError& e) {
        EXPECT_EQ(e.where.line, 4);
        EXPECT_NE(e.message.find("function-like"), std::string::npos);
    }
    dir.write("test.rc", R"(#include "resource.h"
#define LEVEL 2
#if defined(IDS_A) && LEVEL >= 2
STRINGTABLE BEGIN IDS_B "b" END
#elif 1
STRINGTABLE BEGIN 300 "wrong" END
#else
#error not reached
#endif
#ifndef IDS_A
STRINGTABLE BEGIN 301 "wrong" END
#endif
#undef LEVEL
#if LEVEL
STRINGTABLE BEGIN 302 "wrong" END
#endif
#if 0
  an inactive region may hold anything: 'quotes "and #junk
#endif
)");
    auto s = kzrc::compileFile(rc, {});
    ASSERT_EQ(s.strings.size(), 1u);
    EXPECT_EQ(s.strings[0].id, 101);
    EXPECT_EQ(s.dependencies, std::vector<std::string>{dir.file("resource.h")});
}

TEST(RcPreprocessor, IncludeDirectoriesAreSearched) {
    TempDir dir;
    fs::create_directories(dir.file("inc"));
    dir.write("inc/ids.h", "#define ID_X 7\n");
    const std::string rc =
        dir.write("t.rc", "#include <ids.h>\nSTRINGTABLE BEGIN ID_X \"x\" END\n");
    kzrc::Options options;
    options.includeDirs.push_back(dir.file("inc"));
    EXPECT_EQ(kzrc::compileFile(rc, options).strings.at(0).id, 7);
}

TEST(RcErrors, SyntaxErrorsNameLineAndWhatWasExpected) {
    expectError("STRINGTABLE\nBEGIN\n  100 \"a\"\n  101 102\nEND\n", 4,
                "expected the text of string 101");
    expectError("STRINGTABLE\nBEGIN\n  100 \"a\n", 3, "expected '\"' to close the string");
    expectError("STRINGTABLE BEGIN\n 1 \"a\"\n", 3, "expected END");
    expectError("STRINGTABLE\n{ IDS_MISSING \"a\" }\n", 2, "'IDS_MISSING' is not defined");
    expectError("STRINGTABLE BEGIN 1 \"\\q\" END", 1, "unknown escape");
    expectError("STRINGTABLE BEGIN 70000 \"a\" END", 1, "string id 70000 is out of range");
    expectError("1 DIALOGEX 0, 0, 10\nBEGIN END", 2, "expected ',' before height");
    expectError("1 DIALOGEX 0, 0, 1, 1\nMENU 5\nBEGIN END", 2,
                "expected STYLE, EXSTYLE, CAPTION, FONT, LANGUAGE or BEGIN");
    expectError(
        "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n  SLIDER 2, 0, 0, 1, 1\nEND",
        4, "expected a control statement");
    expectError("1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 1, 1\n", 4,
                "expected END to close dialog 1");
    expectError("1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  LTEXT 5, 1, 0, 0, 1, 1\nEND", 3,
                "expected the text of LTEXT in double quotes");
    expectError("1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\", 1, 5, 0, 0, 0, 1, 1\nEND", 3,
                "expected a class name");
    expectError("1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_POPUP | (WS_CHILD\nBEGIN END", 3, "expected ')'");
    expectError("1 VERSIONINFO\nBEGIN END", 1, "expected a resource type");
    expectError("\n\n  @", 3, "unexpected character '@'");
    expectError("STRINGTABLE BEGIN 1 \"a\" END\n/* open", 2, "expected '*/'");
    expectError("LANGUAGE 0x11\n", 2, "expected ',' before the sublanguage");
    expectError("STRINGTABLE BEGIN 12ab \"a\" END", 1, "malformed number");
}

TEST(RcErrors, MeaningErrorsNameTheOffendingLine) {
    expectError("STRINGTABLE BEGIN\n 1 \"a\"\nEND\nSTRINGTABLE BEGIN\n 1 \"b\"\nEND", 5,
                "string 1 is defined twice in language 1033 (first at /virtual/test.rc:2)");
    expectError("1 DIALOG 0,0,1,1 BEGIN END\n1 DIALOG 0,0,1,1 BEGIN END\n", 2,
                "dialog 1 is defined twice");
    expectError("1 DIALOG 0,0,1,1\nBEGIN\n EDITTEXT 5, 0,0,1,1\n EDITTEXT 5, 0,0,1,1\nEND", 4,
                "control id 5 appears twice in dialog 1 (first at line 3)");
    expectError("1 DIALOG 0,0,1,1 BEGIN COMBOBOX 5, 0,0,1,1 END\n1 DLGINIT\nBEGIN\n 6, \"a\"\nEND",
                4, "dialog 1 has no control 6");
    expectError("1 DIALOG 0,0,1,1 BEGIN EDITTEXT 5, 0,0,1,1 END\n1 DLGINIT\nBEGIN\n 5, \"a\"\nEND",
                4, "not a combo box or list box");
    expectError("2 DLGINIT\nBEGIN\n 5, \"a\"\nEND", 3, "there is no dialog 2 in language 1033");
    expectError("LANGUAGE 0x11, 1\n1 DIALOG 0,0,1,1 BEGIN COMBOBOX 5, 0,0,1,1 END\n"
                "LANGUAGE 9, 1\n1 DLGINIT\nBEGIN\n 5, \"a\"\nEND",
                6, "no dialog 1 in language 1033");
    expectError("1 DLGINIT\nBEGIN\n 5, 0x403, 4, 0\nEND", 3, "expected the list entry text");
    expectError("1 DIALOG 0,0,1,1 BEGIN EDITTEXT 5, 0,0,40000,1 END", 1,
                "width 40000 is out of range");
}

TEST(RcErrors, PreprocessorErrors) {
    expectError("#if 1\nSTRINGTABLE BEGIN 1 \"a\" END\n", 1, "#if without #endif");
    expectError("\n#endif\n", 2, "#endif without #if");
    expectError("#if 1\n#else\n#else\n#endif", 3, "#else after #else");
    expectError("#include \"missing.h\"\n", 1, "cannot open include file 'missing.h'");
    expectError("\n#pragma code_page(932)\n", 2, "expected code_page(65001)");
    expectError("#define A B\n#define B A\nSTRINGTABLE BEGIN A \"x\" END", 3, "expands too deeply");
    expectError("#frobnicate\n", 1, "unknown directive #frobnicate");
    expectError("#if 1 / 0\n#endif", 1, "division by zero");
    expectError("\n\n#error stop here", 3, "#error stop here");
}

TEST(RcErrors, ErrorsInsideIncludedFilesNameThatFile) {
    TempDir dir;
    dir.write("ids.h", "#define A 1\n#if\n");
    const std::string rc = dir.write("t.rc", "\n#include \"ids.h\"\n");
    try {
        kzrc::compileFile(rc, {});
        ADD_FAILURE();
    } catch (const kzrc::RcError& e) {
        EXPECT_EQ(e.where.file, dir.file("ids.h"));
        EXPECT_EQ(e.where.line, 2);
    }
}

TEST(RcErrors, ScriptMustBeUtf8) {
    expectError("STRINGTABLE BEGIN\n 1 \"ok\"\n 2 \"\x90\xA1\"\nEND\n", 3, "invalid UTF-8");
}

TEST(RcBitmaps, FileHeaderIsDroppedAndBadFilesAreRefused) {
    TempDir dir;
    std::string bmp(14 + 40 + 4, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[10] = 54; // pixels at 54
    bmp[14] = 40; // BITMAPINFOHEADER
    bmp[18] = 1;  // 1 x 1
    bmp[22] = 1;
    bmp[26] = 1;
    bmp[28] = 24;
    bmp[54] = 7;
    dir.write("a.bmp", bmp);
    dir.write("bad.bmp", "GIF89a and more bytes than a header");
    dir.write("short.bmp", bmp.substr(0, 30));
    const std::string rc = dir.write("t.rc", "210 BITMAP \"a.bmp\"\n");
    auto s = kzrc::compileFile(rc, {});
    ASSERT_EQ(s.bitmaps.size(), 1u);
    EXPECT_EQ(s.bitmaps[0].id, 210);
    EXPECT_EQ(s.bitmaps[0].dib.size(), bmp.size() - 14);
    EXPECT_EQ(s.bitmaps[0].dib[0], 40);
    EXPECT_EQ(s.bitmaps[0].dib[40], 7);
    EXPECT_EQ(s.dependencies, std::vector<std::string>{dir.file("a.bmp")});

    auto failsWith = [&](const std::string& script, const std::string& part) {
        dir.write("t.rc", script);
        try {
            kzrc::compileFile(rc, {});
            ADD_FAILURE() << part;
        } catch (const kzrc::RcError& e) {
            EXPECT_EQ(e.where.line, 2) << e.what();
            EXPECT_NE(e.message.find(part), std::string::npos) << e.what();
        }
    };
    failsWith("\n1 BITMAP \"bad.bmp\"", "is not a BMP file");
    failsWith("\n1 BITMAP \"short.bmp\"", "truncated");
    failsWith("\n1 BITMAP \"none.bmp\"", "cannot open bitmap file 'none.bmp'");
    failsWith("\n1 BITMAP 5", "expected the bitmap file name in double quotes");
}

TEST(RcGenerator, WritesExportedTableAndDepfile) {
    auto s = compile("STRINGTABLE BEGIN 17 \"a\" END\n1 DIALOG 0,0,1,1 BEGIN END");
    kzrc::GeneratorOptions options;
    options.symbol = "kzOther";
    options.sourceName = "x.rc";
    const std::string cpp = kzrc::generateCpp(s, options);
    EXPECT_NE(cpp.find("visibility(\"default\"))) const kz::ResourceTable kzOther"),
              std::string::npos);
    EXPECT_NE(cpp.find("// Strings 16 to 31, language 1033."), std::string::npos);
    EXPECT_NE(cpp.find("    {5, 1, 1033, &kDialogs[0], sizeof(kz::DialogTemplate)},\n    {6, 2, "),
              std::string::npos); // entries sorted by type
    EXPECT_EQ(kzrc::generateDepfile("out dir/a.cpp", {"/x/resource.h", "/y z/b.bmp"}),
              "out\\ dir/a.cpp: \\\n  /x/resource.h \\\n  /y\\ z/b.bmp\n");
}
