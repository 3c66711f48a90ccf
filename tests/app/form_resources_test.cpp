// Every form resource that Velmora.exe carries reads into its form class: a property, component or
// handler name that the class does not know fails here rather than at a user's start.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/main_form.h"
#include "framework/controls/application.h"
#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"
#include "framework/core/form_loading.h"

namespace {

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names)
{
    if (!IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<std::string>*>(names)->push_back(name);
    return TRUE;
}

TEST(FormResources, EveryFormOfTheProgramReadsIntoItsClassWithEveryPublishedComponentBound)
{
    HMODULE exe = LoadLibraryExA(VELMORA_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr) << "cannot open " << VELMORA_EXE;
    std::vector<std::string> names;
    EnumResourceNamesA(exe, RT_RCDATA, CollectName, reinterpret_cast<LONG_PTR>(&names));
    EXPECT_EQ(names, (std::vector<std::string>{"TABOUTBOX", "TFORM1"})) << "the program's forms";

    const TClassInfo* formClasses[] = {&TForm1::StaticClass(), &TAboutBox::StaticClass()};
    SetFormResourceModule(exe);
    for (const std::string& name : names) {
        const TClassInfo* formClass = nullptr;
        for (const TClassInfo* candidate : formClasses)
            if (SameText(candidate->Name(), name))
                formClass = candidate;
        if (!formClass) {
            ADD_FAILURE() << "the form resource " << name << " has no form class";
            continue;
        }
        try {
            std::unique_ptr<TComponent> form(formClass->CreateInstance(Application));
            for (const auto& field : formClass->OwnFields())
                EXPECT_NE(field->Get(*form), nullptr) << name << " leaves " << field->Name() << " unbound";
        } catch (const Exception& e) {
            ADD_FAILURE() << name << ": " << e.Message();
        }
    }
    SetFormResourceModule(nullptr);
    FreeLibrary(exe);
}

}  // namespace
