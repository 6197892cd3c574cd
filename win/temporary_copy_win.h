#pragma once
// A copy of a file in the temporary folder, removed with its owner: for the
// platform calls that take only short 8-bit paths.

#include <string>

class TemporaryCopy {
public:
    // Copies the file; Path() is empty when that fails.
    explicit TemporaryCopy(const std::string& source);
    ~TemporaryCopy();
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
