#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "qvutil/qvutil.h"
#include "support/capture.h"
#include "support/report.h"

using testing::ExitedWithCode;
using testing::StrEq;

namespace {

std::string enoent_text()
{
    return strerror(ENOENT);
}

TEST(QVerror, WritesTextColonBlankThenSystemText)
{
    struct Row {
        const char *text;
        std::string expected;
    };
    const Row rows[] = {
        {nullptr, enoent_text() + "\n"},
        {"", enoent_text() + "\n"},
        {"x", "x: " + enoent_text() + "\n"},
        {"Cannot Open File: a b", "Cannot Open File: a b: " + enoent_text() + "\n"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        int result = 0;
        std::string written = capture_std_err([&] {
            errno = ENOENT;
            result = QVerror(rows[i].text);
        });
        EXPECT_EQ(rows[i].expected, written) << "row " << i;
        // The result is that of the last write: the system text line.
        EXPECT_EQ(static_cast<int>(enoent_text().size() + 1), result) << "row " << i;
        EXPECT_EQ(ENOENT, errno) << "row " << i;
    }
}

TEST(QVerror, GoesToStandardErrorWithoutInit)
{
    testing::internal::CaptureStderr();
    errno = ENOENT;
    QVerror("plain");
    EXPECT_EQ("plain: " + enoent_text() + "\n", testing::internal::GetCapturedStderr());
}

TEST(QVinitfile, PointsHandlesBackAtStandardStreams)
{
    FILE *other = tmpfile();
    std_err = std_in = std_out = other;
    QVinitfile();
    EXPECT_EQ(stderr, std_err);
    EXPECT_EQ(stdin, std_in);
    EXPECT_EQ(stdout, std_out);
    fclose(other);
}

TEST(Error, FlagZeroReportsAndReturns)
{
    int result = -1;
    std::string written = capture_std_err([&] {
        errno = ENOENT;
        result = error("soft", 0);
    });
    EXPECT_EQ("soft: " + enoent_text() + "\n", written);
    EXPECT_EQ(static_cast<int>(enoent_text().size() + 1), result);
}

TEST(Error, FlagSetEndsWithStatusOne)
{
    EXPECT_EXIT(
        {
            errno = ENOENT;
            error("hard", 1);
        },
        ExitedWithCode(1), StrEq("hard: " + enoent_text() + "\n"));
    EXPECT_EXIT(
        {
            errno = ENOENT;
            error("hard", -3);
        },
        ExitedWithCode(1), StrEq("hard: " + enoent_text() + "\n"));
}

TEST(Mcheck, NonNullBlockIsQuiet)
{
    int block = 0;
    std::string written = capture_std_err([&] { mcheck(&block, "No space"); });
    EXPECT_EQ("", written);
}

TEST(Mcheck, NullBlockReportsAndEndsWithStatusOne)
{
    const std::string enomem = strerror(ENOMEM);
    EXPECT_EXIT(
        {
            errno = ENOMEM;
            mcheck(nullptr, "No space for SEQ - gseq - (1)");
        },
        ExitedWithCode(1), StrEq("malloc/realloc error: " + enomem + "\nNo space for SEQ - gseq - (1)\n"));
    EXPECT_EXIT(
        {
            errno = ENOMEM;
            mcheck(nullptr, "");
        },
        ExitedWithCode(1), StrEq("malloc/realloc error: " + enomem + "\n"));
}

TEST(QVfree, NullIsFatalWithStatusOne)
{
    EXPECT_EXIT(
        {
            errno = EINVAL;
            QVfree(nullptr);
        },
        ExitedWithCode(1), StrEq(std::string("Attempt to free NULL pointer: ") + strerror(EINVAL) + "\n"));
}

TEST(QVmalloc, FailureIsFatalWithStatusOne)
{
    const std::string enomem = strerror(ENOMEM);
    EXPECT_EXIT(QVmalloc(-1), ExitedWithCode(1), ReportIs("malloc error: " + enomem + "\n"));
    EXPECT_EXIT(
        {
            static void *block = QVmalloc(8); // reachable at exit
            QVrealloc(block, -1);
        },
        ExitedWithCode(1), ReportIs("realloc error: " + enomem + "\n"));
}

TEST(QVmalloc, FatalEndStillFlushesStandardOutput)
{
    char path[] = "/tmp/qvutil-flush-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_EXIT(
        {
            freopen(path, "w", stdout);
            fputs("written before the failure", stdout);
            QVmalloc(-1);
        },
        ExitedWithCode(1), testing::HasSubstr("malloc error"));
    FILE *kept = fopen(path, "r");
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ("written before the failure", contents_of(kept));
    fclose(kept);
    remove(path);
}

TEST(QVmallocNQ, FailureReportsAndReturnsNull)
{
    const std::string enomem = strerror(ENOMEM);
    void *block = &block;
    testing::internal::CaptureStderr(); // where the sanitizer notes go
    std::string written = capture_std_err([&] { block = QVmallocNQ(-1); });
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(nullptr, block);
    EXPECT_EQ("malloc error: " + enomem + "\n", written);
}

TEST(QVreallocNQ, FailureLeavesOldBlockIntact)
{
    const std::string enomem = strerror(ENOMEM);
    char *block = QVstrdup("kept");
    void *moved = block;
    std::string written = capture_std_err([&] { moved = QVreallocNQ(block, -1); });
    EXPECT_EQ(nullptr, moved);
    EXPECT_EQ("realloc error: " + enomem + "\n", written);
    EXPECT_STREQ("kept", block);
    QVfree(block);
}

TEST(QVrealloc, KeepsContentsAndNullGivesNewBlock)
{
    char *block = static_cast<char *>(QVrealloc(nullptr, 4));
    memcpy(block, "abc", 4);
    block = static_cast<char *>(QVrealloc(block, 4096));
    EXPECT_STREQ("abc", block);
    block = static_cast<char *>(QVrealloc(block, 2));
    EXPECT_EQ('a', block[0]);
    EXPECT_EQ('b', block[1]);
    QVfree(block);
}

TEST(QVstrdup, CopiesIntoNewBlock)
{
    const char *texts[] = {"", "a", "with blanks and \xff high bytes"};
    for (const char *text : texts) {
        char *copy = QVstrdup(text);
        EXPECT_NE(text, copy);
        EXPECT_STREQ(text, copy);
        QVfree(copy);
    }
}

TEST(QVstrrename, GrowsAndShrinksToFit)
{
    char *name = QVstrrename(nullptr, "short");
    EXPECT_STREQ("short", name);
    name = QVstrrename(name, "a much longer name than before");
    EXPECT_STREQ("a much longer name than before", name);
    name = QVstrrename(name, "");
    EXPECT_STREQ("", name);
    QVfree(name);
}

TEST(QVstrcreate, LastByteIsNul)
{
    char *one = QVstrcreate(1);
    EXPECT_STREQ("", one);
    QVfree(one);
    char *ten = QVstrcreate(10);
    EXPECT_EQ('\0', ten[9]);
    QVfree(ten);
    char *none = QVstrcreate(0);
    EXPECT_STREQ("", none);
    QVfree(none);
}

} // namespace
