#pragma once
// A small door to GSettings through GIO, loaded at run time: the program needs no GIO headers
// to build and still runs where GIO or a schema is missing (every call then reports failure).
// Values are written through the schema's type and range checks, so a value the desktop would
// refuse is never handed to GIO.
//
// GSETTINGS_BACKEND=memory keeps everything inside the process (the tests use it).
#include <QString>
#include <optional>

namespace platform
{

class GioSettings
{
public:
    // The settings of one schema; invalid when GIO or the schema is missing.
    explicit GioSettings(const QString &schemaId);
    ~GioSettings();
    GioSettings(const GioSettings &) = delete;
    GioSettings &operator=(const GioSettings &) = delete;

    bool isValid() const { return settings_ != nullptr; }
    // False when the key is missing, has another type or the value is out of its range.
    bool setInt(const QString &key, int value);
    bool setDouble(const QString &key, double value);
    std::optional<int> intValue(const QString &key) const;
    std::optional<double> doubleValue(const QString &key) const;

private:
    bool set(const QString &key, void *variant);
    void *value(const QString &key, const char *type) const;
    template <typename T>
    std::optional<T> read(const QString &key, const char *type, T (*get)(void *)) const;

    void *schema_ = nullptr;
    void *settings_ = nullptr;
};

} // namespace platform
