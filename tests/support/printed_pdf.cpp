// Reading back the PDF queue's output. Wine starts host programs but gives no handle to wait on, so
// a host command leaves its exit code in a file when it ends, and the tests poll for it.
#include "tests/support/printed_pdf.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace testsupport {

namespace {

std::string ReadHostFile(const std::string& unixPath)
{
    std::ifstream in(DosPath(unixPath), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The number after `label` in pdfinfo's output (0 when it is missing).
double InfoNumber(const std::string& info, const std::string& label, std::size_t from = 0)
{
    std::size_t at = info.find(label, from);
    return at == std::string::npos ? 0 : std::atof(info.c_str() + at + label.size());
}

// A binary greymap ("P5", maximum 255) as a picture.
Picture ReadGreymap(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();  // the one blank before the pixels
    Picture picture;
    if (magic != "P5" || maximum != 255 || width <= 0 || height <= 0)
        return picture;
    const std::size_t start = static_cast<std::size_t>(in.tellg());
    if (bytes.size() < start + static_cast<std::size_t>(width) * height)
        return picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.reserve(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        std::uint32_t grey = static_cast<unsigned char>(bytes[start + i]);
        picture.pixels.push_back(grey << 16 | grey << 8 | grey);
    }
    return picture;
}

}  // namespace

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string DosPath(std::string unixPath)
{
    for (char& c : unixPath)
        if (c == '/')
            c = '\\';
    return "Z:" + unixPath;
}

int RunHost(const std::string& command, std::string& output)
{
    static int runs = 0;
    std::string base =
        Environment("VELMORA_BUILD") + "/printed/host-" + std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(++runs);
    DeleteFileA(DosPath(base + ".status").c_str());
    std::string line =
        "/bin/sh -c \"" + command + " > '" + base + ".out' 2>&1; echo $? > '" + base + ".tmp'; mv '" + base +
        ".tmp' '" + base + ".status'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    ULONGLONG deadline = GetTickCount64() + 60000;
    while (GetFileAttributesA(DosPath(base + ".status").c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() > deadline)
            return -1;
        Sleep(50);  // another process of the host; nothing here to wait on
    }
    output = ReadHostFile(base + ".out");
    return std::atoi(ReadHostFile(base + ".status").c_str());
}

std::set<std::string> PrintedPdfs()
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(DosPath(Environment("VELMORA_PRINTED") + "/*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

PrintedPdf WaitForPdf(const std::string& title, int seconds, const std::set<std::string>& before)
{
    const std::string folder = Environment("VELMORA_PRINTED") + "/";
    ULONGLONG deadline = GetTickCount64() + seconds * 1000ull;
    do {
        for (const std::string& name : PrintedPdfs()) {
            if (title.empty() ? before.count(name) != 0 : name.find(title) == std::string::npos)
                continue;
            PrintedPdf pdf{folder + name};
            std::string info;
            if (RunHost("LC_ALL=C pdfinfo '" + pdf.path + "'", info) != 0)
                continue;  // still being written
            pdf.pages = static_cast<int>(InfoNumber(info, "Pages:"));
            pdf.width = InfoNumber(info, "Page size:");
            std::size_t by = info.find(" x ", info.find("Page size:"));
            pdf.height = by == std::string::npos ? 0 : std::atof(info.c_str() + by + 3);
            if (static_cast<int>(InfoNumber(info, "Page rot:")) % 180 != 0)
                std::swap(pdf.width, pdf.height);  // a landscape job turns its upright pages
            return pdf;
        }
        Sleep(200);  // the spooler works in another process; nothing here to wait on
    } while (GetTickCount64() < deadline);
    return {};
}

Picture RenderPage(const PrintedPdf& pdf, int page, int dpi, const std::string& name)
{
    const std::string artifacts = Environment("VELMORA_BUILD") + "/artifacts";
    const std::string grey = Environment("VELMORA_BUILD") + "/printed/" + name;
    const std::string pages =
        " -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " + std::to_string(page) +
        " -singlefile '" + pdf.path + "' ";
    std::string output;
    if (RunHost("mkdir -p '" + artifacts + "' && pdftoppm -png" + pages + "'" + artifacts + "/" + name +
                    "' && pdftoppm -gray" + pages + "'" + grey + "'",
                output) != 0)
        return {};
    return ReadGreymap(ReadHostFile(grey + ".pgm"));
}

}  // namespace testsupport
