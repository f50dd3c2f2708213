#pragma once
// A file of fixed-size records of which only record 0 is used. The handle stays
// open from load to close, as long as the path names that file; every write
// goes to record 0 and nothing after it is ever touched.
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
    // reported and never recreated; one that is no regular file is refused. A
    // file created here but not written whole is removed again. Returns true
    // when the file was created. Throws FileError.
    //
    // When record 0 cannot be read the error is thrown, `record` is left as it
    // was and the file stays open: the first write then copies the unread bytes
    // to a backup beside it before overwriting them.
    bool openOrCreate(const std::string& path, unsigned char* record);

    // Writes record 0 and flushes it to disk. When the file at the path is no
    // longer the open one (replaced or removed), the path is opened (or
    // created) again and the record goes there. Throws FileError.
    void writeRecord(const unsigned char* record);
    void close() noexcept; // errors are ignored
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

private:
    int openAtPath() const;
    void openExisting(unsigned char* record);
    bool followPath(const unsigned char* record); // true when it wrote the record
    void create(const unsigned char* record);
    void writeAndFlush(int fd, const unsigned char* record);

    std::size_t recordSize_;
    int fd_ = -1;
    std::string path_;
    bool backupDue_ = false; // the file holds bytes never read, not yet copied aside
};
