#include "XmlElementReader.h"

#include "framework/ComPtr.h"
#include "framework/Handle.h"

#include <windows.h>
#include <initguid.h>
#include <objbase.h>
#include <xmllite.h>

#include <cstring>

namespace support {

namespace {
// XmlLite ships with the system but without an import library here.
using CreateReaderProc = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
using CreateInputProc = HRESULT(WINAPI*)(IUnknown*, IMalloc*, UINT, BOOL, LPCWSTR, IXmlReaderInput**);

std::string Narrow(const wchar_t* text, UINT length)
{
    if (!text || length == 0)
        return std::string();
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &out[0], bytes, nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* text, int length, UINT codePage)
{
    int chars = ::MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (chars <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(codePage, 0, text, length, &out[0], chars);
    return out;
}

// The text is handed to the parser already decoded, so its declaration must
// name what the parser gets; only the declaration's encoding value changes.
void DeclareUtf16(std::wstring& text)
{
    if (text.compare(0, 5, L"<?xml") != 0)
        return;
    std::wstring::size_type end = text.find(L"?>");
    std::wstring::size_type encoding = text.find(L"encoding", 5);
    if (end == std::wstring::npos || encoding == std::wstring::npos || encoding > end)
        return;
    std::wstring::size_type quote = text.find_first_of(L"\"'", encoding);
    if (quote == std::wstring::npos || quote > end)
        return;
    std::wstring::size_type close = text.find(text[quote], quote + 1);
    if (close == std::wstring::npos || close > end)
        return;
    text.replace(quote + 1, close - quote - 1, L"UTF-16");
}
} // namespace

std::optional<std::vector<XmlAttributes>> ReadXmlElements(const std::string& bytes, unsigned codePage,
                                                          const char* elementName)
{
    fw::UniqueLibrary xmllite(::LoadLibraryA("xmllite.dll"));
    if (!xmllite)
        return std::nullopt;
    auto createReader = reinterpret_cast<CreateReaderProc>(
        reinterpret_cast<void (*)()>(::GetProcAddress(xmllite.get(), "CreateXmlReader")));
    auto createInput = reinterpret_cast<CreateInputProc>(
        reinterpret_cast<void (*)()>(::GetProcAddress(xmllite.get(), "CreateXmlReaderInputWithEncodingCodePage")));
    if (!createReader || !createInput)
        return std::nullopt;

    // Decoded here with the code page the bytes were written in: the
    // system's parser does not know every code page a declaration may name.
    std::wstring text = Wide(bytes.data(), static_cast<int>(bytes.size()), codePage);
    DeclareUtf16(text);
    text.insert(0, 1, L'\xFEFF');
    const size_t byteCount = text.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, byteCount);
    if (!memory)
        return std::nullopt;
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, text.data(), byteCount);
        ::GlobalUnlock(memory);
    }
    fw::ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, stream.Put()))) {
        ::GlobalFree(memory);
        return std::nullopt;
    }
    ULARGE_INTEGER size;
    size.QuadPart = byteCount;
    stream->SetSize(size);

    fw::ComPtr<IXmlReader> reader;
    fw::ComPtr<IXmlReaderInput> input;
    if (FAILED(createReader(IID_IXmlReader, reader.PutVoid(), nullptr)) ||
        FAILED(createInput(stream.Get(), nullptr, 1200, TRUE, nullptr, input.Put())) ||
        FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(reader->SetInput(input.Get())))
        return std::nullopt;

    const std::wstring wanted = Wide(elementName, -1, CP_ACP).c_str();
    std::vector<XmlAttributes> elements;
    XmlNodeType type;
    HRESULT hr;
    while ((hr = reader->Read(&type)) == S_OK) {
        if (type != XmlNodeType_Element)
            continue;
        const wchar_t* name = nullptr;
        UINT nameLength = 0;
        if (FAILED(reader->GetLocalName(&name, &nameLength)) || wanted != std::wstring(name, nameLength))
            continue;
        XmlAttributes attributes;
        for (HRESULT more = reader->MoveToFirstAttribute(); more == S_OK; more = reader->MoveToNextAttribute()) {
            const wchar_t* value = nullptr;
            UINT valueLength = 0;
            reader->GetLocalName(&name, &nameLength);
            reader->GetValue(&value, &valueLength);
            attributes[Narrow(name, nameLength)] = Narrow(value, valueLength);
        }
        elements.push_back(std::move(attributes));
    }
    if (FAILED(hr))
        return std::nullopt;
    return elements;
}

} // namespace support
