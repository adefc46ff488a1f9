// The decoder's file destination on Wine's file system: a file gets every byte, a refused write is reported.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "extract/file_destination.h"
#include "extract/lzhuf_decoder.h"
#include "scratch_folder.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Garbage(size_t count)
{
    Bytes bytes(count);
    uint32_t seed = 2024;
    for (unsigned char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = (unsigned char)(seed >> 23);
    }
    return bytes;
}

// Passes every write on to the file and keeps a copy of what the decoder handed over.
struct Tee {
    Destination file;
    Bytes handed;
};

bool WriteThroughTee(void* context, const unsigned char* bytes, uint32_t count)
{
    Tee* tee = static_cast<Tee*>(context);
    tee->handed.insert(tee->handed.end(), bytes, bytes + count);
    return WriteOutput(tee->file, bytes, count);
}

// The two ways the file pass writes a file: a packed row through the decoder, 5000 bytes in five
// writes, and a stored row in one write. Each returns what the destination reported and the bytes it
// was handed.
bool WriteDecodedRow(const Destination& file, Bytes& handed)
{
    Bytes packed = Garbage(700);
    Tee tee = {file, Bytes()};
    Destination destination = {WriteThroughTee, &tee};
    bool ok = DecodeStream(packed.data(), uint32_t(packed.size()), 5000, destination);
    handed = tee.handed;
    return ok;
}

bool WriteStoredRow(const Destination& file, Bytes& handed)
{
    handed = Garbage(3000);
    return WriteOutput(file, handed.data(), uint32_t(handed.size()));
}

struct Writer {
    const char* what;
    bool (*write)(const Destination& file, Bytes& handed);
};

const Writer writers[] = {{"decoded row", WriteDecodedRow}, {"stored row", WriteStoredRow}};

struct FileDestination : testing::Test {
    void SetUp() override
    {
        root = MakeScratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name());
        path = root + "\\VELMONDO.EXE";
    }
    void TearDown() override { RemoveTree(root); }

    Bytes ReadBack()
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return Bytes();
        Bytes bytes(GetFileSize(file, nullptr));
        DWORD got = 0;
        if (!bytes.empty() && !ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr))
            got = 0;
        bytes.resize(got);
        CloseHandle(file);
        return bytes;
    }

    std::string root;
    std::string path;
};

}  // namespace

TEST_F(FileDestination, AFileOpenForWritingGetsEveryByteInOrder)
{
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.what);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        Bytes handed;
        EXPECT_TRUE(writer.write(MakeFileDestination(file), handed));
        CloseHandle(file);
        EXPECT_FALSE(handed.empty());
        EXPECT_TRUE(ReadBack() == handed);
    }
}

TEST_F(FileDestination, AHandleWithoutWriteAccessMakesTheWriteFail)
{
    for (const Writer& writer : writers) {
        SCOPED_TRACE(writer.what);
        WriteFileText(path, "");
        // WriteFile fails on it with ERROR_ACCESS_DENIED; setup must not take that for a written file.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        Bytes handed;
        EXPECT_FALSE(writer.write(MakeFileDestination(file), handed));
        CloseHandle(file);
        EXPECT_TRUE(ReadBack().empty());
    }
}
