#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "qvutil/qvutil.h"
#include "support/block_size.h"
#include "support/capture.h"

using testing::ExitedWithCode;
using testing::StrEq;

namespace {

const std::string no_such_file = strerror(ENOENT);
const std::string device_full = strerror(ENOSPC);
const std::string invalid = strerror(EINVAL);

// Each test works in a directory of its own, removed afterwards.
class FileTest : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qvutil-files-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir = pattern;
    }

    void TearDown() override
    {
        std::string command = "rm -rf '" + dir + "'";
        EXPECT_EQ(0, system(command.c_str()));
    }

    std::string path(const std::string &name) const { return dir + "/" + name; }

    static void write_file(const std::string &file, const std::string &text)
    {
        FILE *out = fopen(file.c_str(), "w");
        ASSERT_NE(nullptr, out);
        fputs(text.c_str(), out);
        fclose(out);
    }

    static std::string read_file(const std::string &file)
    {
        FILE *in = fopen(file.c_str(), "r");
        if (in == nullptr)
            return "<missing>";
        std::string text = contents_of(in);
        fclose(in);
        return text;
    }

    static bool exists(const std::string &file) { return access(file.c_str(), F_OK) == 0; }

    std::string dir;
};

// A record whose stream is on /dev/full with output still buffered, so
// that closing it fails with ENOSPC.
filerec *record_failing_close()
{
    filerec *record = QVfilemake("/dev/full", "w", 1);
    fputs("pending", record->stream);
    return record;
}

void release(filerec *record)
{
    if (record->name != nullptr)
        QVfree(record->name);
    QVfree(record);
}

using QVfopenTest = FileTest;

TEST_F(QVfopenTest, HandsModeToThePlatformAsItIs)
{
    struct Row {
        const char *mode;
        const char *before; // null: no file yet
        const char *written;
        const char *after;
    };
    const Row rows[] = {
        {"w", nullptr, "new", "new"},
        {"w", "old", "new", "new"},
        {"a", "old", "new", "oldnew"},
        {"r+", "old", "N", "Nld"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        std::string file = path(std::string("f").append(std::to_string(i)));
        if (rows[i].before != nullptr)
            write_file(file, rows[i].before);
        FILE *stream = nullptr;
        std::string written = capture_std_err([&] { stream = QVfopen(file.c_str(), rows[i].mode, 1); });
        ASSERT_NE(nullptr, stream) << "row " << i;
        fputs(rows[i].written, stream);
        EXPECT_EQ(0, QVfclose(stream, 1)) << "row " << i;
        EXPECT_EQ(rows[i].after, read_file(file)) << "row " << i;
        EXPECT_EQ("", written) << "row " << i;
    }
}

TEST_F(QVfopenTest, ReadsAnExistingFile)
{
    write_file(path("in"), "line\n");
    FILE *stream = QVfopen(path("in").c_str(), "r", 0);
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ("line\n", contents_of(stream));
    EXPECT_EQ(0, QVfclose(stream, 0));
}

TEST_F(QVfopenTest, FailureWithFlagOtherThanOneIsQuiet)
{
    const int flags[] = {0, 2, -1};
    for (int flag : flags) {
        FILE *stream = stdin;
        std::string written = capture_std_err([&] { stream = QVfopen(path("missing").c_str(), "r", flag); });
        EXPECT_EQ(nullptr, stream) << "flag " << flag;
        EXPECT_EQ("", written) << "flag " << flag;
    }
}

TEST_F(QVfopenTest, FailureWithFlagOneReportsPathAndEndsWithStatusOne)
{
    std::string missing = path("missing");
    EXPECT_EXIT(QVfopen(missing.c_str(), "r", 1), ExitedWithCode(1),
                StrEq("Cannot Open File: " + missing + ": " + no_such_file + "\n"));

    // The report is built to the path's length, however long.
    std::string overlong = dir + "/" + std::string(5000, 'n');
    EXPECT_EXIT(QVfopen(overlong.c_str(), "r", 1), ExitedWithCode(1),
                StrEq("Cannot Open File: " + overlong + ": " + strerror(ENAMETOOLONG) + "\n"));
}

TEST(QVfclose, SuccessReturnsZero)
{
    FILE *stream = tmpfile();
    fputs("buffered", stream);
    std::string written = capture_std_err([&] { EXPECT_EQ(0, QVfclose(stream, 1)); });
    EXPECT_EQ("", written);
}

TEST(QVfclose, FailureWithFlagOtherThanOneReturnsNonZeroQuietly)
{
    const int flags[] = {0, 2};
    for (int flag : flags) {
        FILE *stream = fopen("/dev/full", "w");
        ASSERT_NE(nullptr, stream);
        fputs("pending", stream);
        int result = 0;
        std::string written = capture_std_err([&] { result = QVfclose(stream, flag); });
        EXPECT_NE(0, result) << "flag " << flag;
        EXPECT_EQ("", written) << "flag " << flag;
    }
}

TEST(QVfclose, FailureWithFlagOneEndsWithStatusOne)
{
    EXPECT_EXIT(
        {
            FILE *stream = fopen("/dev/full", "w");
            fputs("pending", stream);
            QVfclose(stream, 1);
        },
        ExitedWithCode(1), StrEq("Error closing File: " + device_full + "\n"));
}

using QVfilemakeTest = FileTest;

TEST_F(QVfilemakeTest, OpensAtOnceOnlyWithFlagOne)
{
    write_file(path("there"), "content");
    struct Row {
        const char *name;
        int flag;
        bool opened;
    };
    const Row rows[] = {
        {"there", 0, false},
        {"there", 1, true},
        {"missing", 1, false}, // a failed open is quiet
        {"there", 2, false},   // any other flag is taken as 0
        {"there", -1, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        std::string name = path(rows[i].name);
        filerec *record = nullptr;
        std::string written = capture_std_err([&] { record = QVfilemake(name.c_str(), "r", rows[i].flag); });
        ASSERT_NE(nullptr, record) << "row " << i;
        EXPECT_TRUE(holds_bytes(record, sizeof(filerec))) << "row " << i;
        EXPECT_EQ(name, record->name) << "row " << i;
        EXPECT_NE(name.c_str(), record->name) << "row " << i;
        EXPECT_TRUE(holds_bytes(record->name, name.size() + 1)) << "row " << i;
        EXPECT_EQ(rows[i].opened, record->stream != nullptr) << "row " << i;
        if (record->stream != nullptr) {
            EXPECT_EQ("content", contents_of(record->stream)) << "row " << i;
            fclose(record->stream);
        }
        EXPECT_EQ("", written) << "row " << i;
        release(record);
    }
}

using QVfileopenTest = FileTest;

TEST_F(QVfileopenTest, StoresTheOpenedStream)
{
    write_file(path("there"), "content");
    filerec *record = QVfilemake(path("there").c_str(), "r", 0);
    EXPECT_EQ(record, QVfileopen(record, "r", 1));
    ASSERT_NE(nullptr, record->stream);
    EXPECT_EQ("content", contents_of(record->stream));
    EXPECT_EQ(record, QVfileclean(record, 1));
    QVfree(record);
}

TEST_F(QVfileopenTest, FailureWithFlagOtherThanOneLeavesStreamNullQuietly)
{
    const int flags[] = {0, 2, -1};
    for (int flag : flags) {
        filerec *record = QVfilemake(path("missing").c_str(), "r", 0);
        filerec *result = nullptr;
        std::string written = capture_std_err([&] { result = QVfileopen(record, "r", flag); });
        EXPECT_EQ(record, result) << "flag " << flag;
        EXPECT_EQ(nullptr, record->stream) << "flag " << flag;
        EXPECT_EQ(path("missing"), record->name) << "flag " << flag;
        EXPECT_EQ("", written) << "flag " << flag;
        release(record);
    }
}

TEST_F(QVfileopenTest, FailureWithFlagOneWritesReportAndNameThenEndsWith255)
{
    std::string missing = path("missing");
    EXPECT_EXIT(
        {
            filerec *record = QVfilemake(missing.c_str(), "r", 0);
            QVfileopen(record, "r", 1);
        },
        ExitedWithCode(255), StrEq("Error opening File: " + no_such_file + "\n" + missing + "\n"));
}

using QVfilecloseTest = FileTest;

TEST_F(QVfilecloseTest, ClosedRecordKeepsItsStreamFieldAndCanBeReopened)
{
    filerec *record = QVfilemake(path("out").c_str(), "w", 1);
    ASSERT_NE(nullptr, record->stream);
    fputs("first", record->stream);
    FILE *closed = record->stream;
    std::string written = capture_std_err([&] { EXPECT_EQ(record, QVfileclose(record, 1)); });
    EXPECT_EQ("", written);
    EXPECT_EQ(closed, record->stream);
    EXPECT_EQ("first", read_file(path("out")));

    EXPECT_EQ(record, QVfileopen(record, "a", 1));
    fputs(" second", record->stream);
    QVfileclose(record, 1);
    EXPECT_EQ("first second", read_file(path("out")));
    release(record);
}

TEST(QVfileclose, FailureWithFlagOtherThanOneReturnsRecordQuietly)
{
    filerec *record = record_failing_close();
    FILE *stream = record->stream;
    filerec *result = nullptr;
    std::string written = capture_std_err([&] { result = QVfileclose(record, 0); });
    EXPECT_EQ(record, result);
    EXPECT_EQ(stream, record->stream);
    EXPECT_STREQ("/dev/full", record->name);
    EXPECT_EQ("", written);
    release(record);
}

TEST(QVfileclose, FailureWithFlagOneWritesReportAndNameThenEndsWith255)
{
    EXPECT_EXIT(QVfileclose(record_failing_close(), 1), ExitedWithCode(255),
                StrEq("Error closing File: " + device_full + "\n/dev/full\n"));
}

using QVfilerenameTest = FileTest;

TEST_F(QVfilerenameTest, OpenRecordIsClosedAndOnlyItsNameChanges)
{
    filerec *record = QVfilemake(path("old").c_str(), "w", 1);
    fputs("kept", record->stream);
    std::string newname = path("new");
    std::string written = capture_std_err([&] { EXPECT_EQ(record, QVfilerename(record, newname.c_str())); });
    EXPECT_EQ("", written);
    EXPECT_EQ(nullptr, record->stream);
    EXPECT_EQ(newname, record->name);
    EXPECT_TRUE(holds_bytes(record->name, newname.size() + 1));
    // The stream was closed, so its output reached the file, which keeps
    // its name on disk.
    EXPECT_EQ("kept", read_file(path("old")));
    EXPECT_FALSE(exists(newname));

    // The next open goes to the new name.
    QVfileopen(record, "w", 1);
    fputs("fresh", record->stream);
    QVfileclean(record, 1);
    EXPECT_EQ("fresh", read_file(newname));
    QVfree(record);
}

TEST(QVfilerename, RenamesRecordWithoutStream)
{
    struct Row {
        const char *name;    // null: a record without a name
        const char *newname; // null: rename to nothing
        const char *expected;
    };
    const Row rows[] = {
        {"old", "new", "new"},
        {"old", "", ""},
        {"old", "a much longer name than the old one", "a much longer name than the old one"},
        {nullptr, "new", nullptr}, // a record without a name stays without one
        {"old", nullptr, nullptr},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        filerec *record = QVfilemake(rows[i].name, "r", 0);
        QVfilerename(record, rows[i].newname);
        if (rows[i].expected == nullptr)
            EXPECT_EQ(nullptr, record->name) << "row " << i;
        else
            EXPECT_STREQ(rows[i].expected, record->name) << "row " << i;
        EXPECT_EQ(nullptr, record->stream) << "row " << i;
        release(record);
    }
}

TEST(QVfilerename, OwnNameIsCopiedBeforeTheOldOneGoes)
{
    filerec *record = QVfilemake("same", "r", 0);
    QVfilerename(record, record->name);
    EXPECT_STREQ("same", record->name);
    release(record);
}

TEST(QVfilerename, FailedCloseIsQuiet)
{
    filerec *record = record_failing_close();
    std::string written = capture_std_err([&] { QVfilerename(record, "elsewhere"); });
    EXPECT_EQ("", written);
    EXPECT_EQ(nullptr, record->stream);
    EXPECT_STREQ("elsewhere", record->name);
    release(record);
}

using QVfilecleanTest = FileTest;

TEST_F(QVfilecleanTest, SuccessClosesReleasesNameAndLeavesRecord)
{
    filerec *record = QVfilemake(path("out").c_str(), "w", 1);
    fputs("flushed", record->stream);
    std::string written = capture_std_err([&] { EXPECT_EQ(record, QVfileclean(record, 1)); });
    EXPECT_EQ("", written);
    EXPECT_EQ(nullptr, record->stream);
    // The name's block was released (the leak checker would see it
    // otherwise); the field no longer points at it.
    EXPECT_EQ(nullptr, record->name);
    EXPECT_EQ("flushed", read_file(path("out")));
    EXPECT_TRUE(holds_bytes(record, sizeof(filerec)));
    QVfree(record);
}

TEST(QVfileclean, FailureWithFlagOtherThanOneChangesNothing)
{
    const int flags[] = {0, 2};
    for (int flag : flags) {
        filerec *record = record_failing_close();
        FILE *stream = record->stream;
        char *name = record->name;
        filerec *result = nullptr;
        std::string written = capture_std_err([&] { result = QVfileclean(record, flag); });
        EXPECT_EQ(record, result) << "flag " << flag;
        EXPECT_EQ(stream, record->stream) << "flag " << flag;
        EXPECT_EQ(name, record->name) << "flag " << flag;
        EXPECT_STREQ("/dev/full", record->name) << "flag " << flag;
        EXPECT_EQ("", written) << "flag " << flag;
        release(record);
    }
}

TEST(QVfileclean, FailureWithFlagOneWritesReportAndNameThenEndsWith255)
{
    EXPECT_EXIT(QVfileclean(record_failing_close(), 1), ExitedWithCode(255),
                StrEq("Error closing File: " + device_full + "\n/dev/full\n"));
}

using FileRecordTest = FileTest;

TEST_F(FileRecordTest, WholeLife)
{
    std::string name = path("data");
    filerec *record = QVfilemake(name.c_str(), "w", 0);
    ASSERT_EQ(nullptr, record->stream);
    QVfileopen(record, "w", 1);
    fputs("one\ntwo\n", record->stream);
    QVfileclose(record, 1);
    QVfileopen(record, "r", 1);
    char line[16];
    ASSERT_NE(nullptr, fgets(line, sizeof line, record->stream));
    EXPECT_STREQ("one\n", line);
    QVfileclean(record, 1);
    EXPECT_EQ(nullptr, record->stream);
    EXPECT_EQ(nullptr, record->name);
    QVfree(record);
}

// Null arguments are failures, never crashes.
TEST(FileRecordNulls, QuietFailuresWithFlagZero)
{
    std::string written = capture_std_err([] {
        EXPECT_EQ(nullptr, QVfopen(nullptr, "r", 0));
        EXPECT_EQ(nullptr, QVfopen("/dev/null", nullptr, 0));
        EXPECT_NE(0, QVfclose(nullptr, 0));
        EXPECT_EQ(nullptr, QVfileopen(nullptr, "r", 0));
        EXPECT_EQ(nullptr, QVfileclose(nullptr, 0));
        EXPECT_EQ(nullptr, QVfilerename(nullptr, "new"));
        EXPECT_EQ(nullptr, QVfileclean(nullptr, 0));

        filerec *nameless = QVfilemake(nullptr, "r", 1);
        EXPECT_EQ(nullptr, nameless->name);
        EXPECT_EQ(nullptr, nameless->stream);
        EXPECT_EQ(nameless, QVfileopen(nameless, "r", 0));
        EXPECT_EQ(nullptr, nameless->stream);
        EXPECT_EQ(nameless, QVfileclean(nameless, 0)); // no stream: the close fails
        QVfree(nameless);
    });
    EXPECT_EQ("", written);
}

TEST(FileRecordNulls, FatalWithFlagOne)
{
    EXPECT_EXIT(QVfopen(nullptr, "r", 1), ExitedWithCode(1), StrEq("Cannot Open File: : " + invalid + "\n"));
    EXPECT_EXIT(QVfclose(nullptr, 1), ExitedWithCode(1), StrEq("Error closing File: " + invalid + "\n"));
    EXPECT_EXIT(QVfileopen(nullptr, "r", 1), ExitedWithCode(255), StrEq("Error opening File: " + invalid + "\n\n"));
    EXPECT_EXIT(QVfileopen(QVfilemake(nullptr, "r", 0), "r", 1), ExitedWithCode(255),
                StrEq("Error opening File: " + invalid + "\n\n"));
    EXPECT_EXIT(QVfileclose(QVfilemake("never opened", "r", 0), 1), ExitedWithCode(255),
                StrEq("Error closing File: " + invalid + "\nnever opened\n"));
    EXPECT_EXIT(QVfileclean(nullptr, 1), ExitedWithCode(255), StrEq("Error closing File: " + invalid + "\n\n"));
}

} // namespace
