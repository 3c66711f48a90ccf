// What the test environment's printer printed: its CUPS queue writes each job as a PDF into
// BUILD/printed, and the host's poppler tools read the page count and size and render pages.
#pragma once

#include <set>
#include <string>

#include "tests/support/window_picture.h"

namespace testsupport {

// The value of an environment variable of the test run ("" when unset).
std::string Environment(const char* name);
// A Unix path as a Windows program reaches it (Wine maps the root to drive Z:).
std::string DosPath(std::string unixPath);

// Runs a command of the host's shell and returns its exit code (-1 when it did not end within 60 s)
// with its output.
int RunHost(const std::string& command, std::string& output);

struct PrintedPdf {
    std::string path;  // Unix path; empty: none arrived
    int pages = 0;
    double width = 0;  // of the first page as shown (turned by its rotation), in points
    double height = 0;
};

// The file names of the PDFs in the printed folder now.
std::set<std::string> PrintedPdfs();
// The first PDF whose name holds `title`, or that is not in `before` when `title` is empty, once
// the queue has written it completely; none after `seconds`.
PrintedPdf WaitForPdf(const std::string& title, int seconds, const std::set<std::string>& before = {});

// Renders page `page` (from 1) of `pdf` at `dpi` dots per inch into <build>/artifacts/<name>.png
// and returns its pixels in grey (an empty picture when it could not be rendered).
Picture RenderPage(const PrintedPdf& pdf, int page, int dpi, const std::string& name);

}  // namespace testsupport
