// The data elements of a menu document file, read with the system's parser.
#pragma once

#include "support/XmlElementReader.h"

#include <windows.h>

#include <fstream>
#include <iterator>

inline std::vector<std::map<std::string, std::string>> ReadDataElements(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto elements = support::ReadXmlElements(bytes, ::GetACP(), "data");
    return elements.value_or(std::vector<std::map<std::string, std::string>>());
}
