#include "file_save.h"

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A fresh folder per test, removed with its contents afterwards.
class FileSave : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/kz_file_save_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override {
        chmod(dir_.c_str(), 0755);
        for (const auto& name : entries())
            unlink((dir_ + "/" + name).c_str());
        rmdir(dir_.c_str());
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(dir_.c_str())) {
            while (dirent* e = readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.emplace_back(e->d_name);
            closedir(d);
        }
        return names;
    }
    std::string read(const std::string& path) {
        std::string bytes, error;
        EXPECT_TRUE(kz::readWholeFile(path, bytes, error)) << error;
        return bytes;
    }
    std::string dir_;
};

} // namespace

TEST_F(FileSave, SavesAndReplacesLeavingNoTemporaryFiles) {
    const std::string path = dir_ + "/drawing.dxf";
    std::string error;
    ASSERT_TRUE(kz::saveFileAtomically(path, "first", error)) << error;
    EXPECT_EQ(read(path), "first");
    chmod(path.c_str(), 0640);
    std::string big(3 * 1024 * 1024, 'x');
    ASSERT_TRUE(kz::saveFileAtomically(path, big, error)) << error;
    EXPECT_EQ(read(path), big);
    EXPECT_EQ(entries(), std::vector<std::string>{"drawing.dxf"});
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
}

TEST_F(FileSave, SymbolicLinkIsKeptAndItsTargetReplaced) {
    const std::string real = dir_ + "/real.dxf";
    const std::string link = dir_ + "/link.dxf";
    std::string error;
    ASSERT_TRUE(kz::saveFileAtomically(real, "old", error));
    ASSERT_EQ(symlink("real.dxf", link.c_str()), 0);
    ASSERT_TRUE(kz::saveFileAtomically(link, "new", error)) << error;
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(read(real), "new");
}

TEST_F(FileSave, MissingFolderAndFolderAsTargetAreRefused) {
    std::string error;
    EXPECT_FALSE(kz::saveFileAtomically(dir_ + "/nope/drawing.dxf", "x", error));
    EXPECT_EQ(error, "cannot save \"" + dir_ + "/nope/drawing.dxf\": the folder \"" + dir_ +
                         "/nope\" does not exist");
    EXPECT_FALSE(kz::saveFileAtomically(dir_, "x", error));
    EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
    EXPECT_FALSE(kz::saveFileAtomically("", "x", error));
    EXPECT_TRUE(entries().empty());
}

TEST_F(FileSave, ReadOnlyFileIsNotReplaced) {
    const std::string path = dir_ + "/locked.dxf";
    std::string error;
    ASSERT_TRUE(kz::saveFileAtomically(path, "keep me", error));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(kz::saveFileAtomically(path, "lost", error));
    EXPECT_EQ(error, "cannot save \"" + path + "\": the file is read-only");
    EXPECT_EQ(read(path), "keep me");
    EXPECT_EQ(entries().size(), 1u);
}

TEST_F(FileSave, ReadOnlyFolderIsReported) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not apply";
    ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
    std::string error;
    EXPECT_FALSE(kz::saveFileAtomically(dir_ + "/new.dxf", "x", error));
    EXPECT_NE(error.find("no permission to create files in the folder"), std::string::npos)
        << error;
}

// A write that stops half way (here at the process file size limit, as with a full
// disk) leaves the old file untouched and no temporary file behind.
TEST_F(FileSave, FailedWriteLeavesTheOldFileWhole) {
    const std::string path = dir_ + "/drawing.dxf";
    std::string error;
    ASSERT_TRUE(kz::saveFileAtomically(path, "old contents", error));

    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = kz::saveFileAtomically(path, std::string(100000, 'y'), error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_EQ(read(path), "old contents");
    EXPECT_EQ(entries(), std::vector<std::string>{"drawing.dxf"});
}

TEST_F(FileSave, ReadingReportsMissingFilesFoldersAndEmptyFiles) {
    std::string bytes = "stale", error;
    EXPECT_FALSE(kz::readWholeFile(dir_ + "/missing.dxf", bytes, error));
    EXPECT_EQ(error, "cannot open \"" + dir_ + "/missing.dxf\": the file does not exist");
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(kz::readWholeFile(dir_, bytes, error));
    EXPECT_EQ(error, "cannot open \"" + dir_ + "\": it is a folder, not a file");

    const std::string empty = dir_ + "/empty.dxf";
    std::ofstream(empty).close();
    EXPECT_TRUE(kz::readWholeFile(empty, bytes, error)) << error;
    EXPECT_TRUE(bytes.empty());

    if (geteuid() != 0) {
        ASSERT_EQ(chmod(empty.c_str(), 0), 0);
        EXPECT_FALSE(kz::readWholeFile(empty, bytes, error));
        EXPECT_NE(error.find("permission denied"), std::string::npos) << error;
    }
}
