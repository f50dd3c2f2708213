#pragma once
// A file of fixed-size records of which only record 0 is used. The handle stays
// open from load to close; every write goes to record 0 and nothing after it is
// ever touched.
#include <cstddef>
#include <string>

class RecordFile {
public:
    explicit RecordFile(std::size_t recordSize) : recordSize_(recordSize) {}
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens an existing file for reading and writing and reads record 0 into
    // `record`, or, when no file of that name exists, creates it and writes
    // `record` as it stands. An existing file that cannot be opened is
    // reported and never recreated. Returns true when the file was created.
    // Throws FileError.
    bool openOrCreate(const std::string& path, unsigned char* record);

    void writeRecord(const unsigned char* record); // throws FileError
    void close() noexcept;                          // errors are ignored
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

private:
    std::size_t recordSize_;
    int fd_ = -1;
    std::string path_;
};
