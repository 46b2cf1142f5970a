#pragma once
#include <QString>

// Files that ship inside the application (Qt resources under ":/<type>/").
class ApplicationResources {
public:
    // The path of the resource named `name` of type `type` ("php", "zip",
    // "css"), or the empty string when the application has none.
    static QString pathForResource(const QString& name, const QString& type);
};
