// Reads a form resource of a few hundred components many times and prints the time per component.
//   form_reader_bench.exe [DOCUMENT SCRATCH_FOLDER] (both ignored: the form is built in memory)
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <windows.h>

#include "framework/core/class_registry.h"
#include "framework/core/memory_stream.h"
#include "tests/framework/core/form_bytes.h"
#include "tests/framework/core/reader_fixtures.h"

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// A root with `count` widgets, each with the property mix of a real form: integers, an enumeration,
// a boolean, a caption, a sub-object's property, an identifier-mapped colour, an event, a reference,
// a list of strings, and one nested widget in every tenth.
FormBytes BuildForm(int count)
{
    FormBytes b;
    b.Signature().Object("TReadForm", "BigForm").Prop("Caption").Str("Big").End();
    for (int i = 0; i < count; ++i) {
        b.Object("TWidget", "W" + std::to_string(i));
        b.Prop("Count").Int(i * 7).Prop("Tag").Int(i).Prop("Align").Ident("waTop");
        b.Prop("Visible").Byte(vaFalse).Prop("Caption").Str("Caption of widget");
        b.Prop("Font.Size").Int(12).Prop("Color").Ident("clBtnFace");
        b.Prop("OnClick").Ident("Widget1Click").Prop("Buddy").Ident(i ? "W0" : "W1");
        b.Prop("Lines.Strings").Byte(vaList).Str("one").Str("two").End();
        b.End();
        if (i % 10 == 0)
            b.Object("TGadget", "G" + std::to_string(i)).Prop("Count").Int(1).End().End();
        b.End();
    }
    return b.End();
}

}  // namespace

int main()
{
    RegisterComponentClass(TGadget::StaticClass());
    RegisterWidgetColorMap();
    const int widgets = 300;
    const int components = widgets + widgets / 10;
    FormBytes form = BuildForm(widgets);
    TMemoryStream stream;
    form.Into(stream);

    std::vector<double> perComponent;
    for (int round = 0; round < 30; ++round) {
        stream.SetPosition(0);
        auto root = std::make_unique<TReadForm>(nullptr);
        double start = Now();
        stream.ReadComponent(root.get());
        double elapsed = Now() - start;
        if (root->ComponentCount() != components) {
            std::fprintf(
                stderr, "form_reader_bench: read %d components, expected %d\n", root->ComponentCount(), components);
            return 1;
        }
        perComponent.push_back(elapsed * 1e6 / components);
        ReaderJournal().clear();
    }
    std::sort(perComponent.begin(), perComponent.end());
    std::printf(
        "form reader: %d components, %zu bytes; per component: min %.2f us, median %.2f us, max %.2f us\n", components,
        form.bytes.size(), perComponent.front(), perComponent[perComponent.size() / 2], perComponent.back());
    return 0;
}
