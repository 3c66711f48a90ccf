// Small component classes for the object-model tests: a form-like owner with published fields,
// properties of every kind and handler methods, and a component that records what it is told.
#pragma once

#include <string>
#include <vector>

#include "framework/core/class_info.h"
#include "framework/core/component.h"

enum TTestAlign { taNone, taTop, taBottom, taClient };
const TTypeInfo& TypeInfoFor(TTestAlign*);

enum TTestColor : std::int32_t {};
const TTypeInfo& TypeInfoFor(TTestColor*);

using TTestStyle = TSet<TTestAlign>;
using TKeyTestEvent = TEvent<TObject*, unsigned short&>;

// Records destruction and notifications in a shared journal.
class TProbe : public TComponent {
    DECLARE_CLASS(TProbe)
public:
    explicit TProbe(TComponent* owner, std::vector<std::string>* journal = nullptr)
        : TComponent(owner), journal_(journal)
    {}
    ~TProbe() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetJournal(std::vector<std::string>* journal) { journal_ = journal; }

    // Published properties of every kind.
    int Number() const { return number_; }
    void SetNumber(int value) { number_ = value; }
    TTestAlign Align() const { return align_; }
    void SetAlign(TTestAlign value) { align_ = value; }
    bool Flag() const { return flag_; }
    void SetFlag(bool value) { flag_ = value; }
    char Letter() const { return letter_; }
    void SetLetter(char value) { letter_ = value; }
    double Ratio() const { return ratio_; }
    void SetRatio(double value) { ratio_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    std::wstring Wide;
    TTestStyle Style;
    TTestColor Color{};
    std::int64_t Big = 0;
    TProbe* Buddy = nullptr;
    TNotifyEvent OnPing;
    TKeyTestEvent OnKey;

private:
    std::vector<std::string>* journal_;
    int number_ = 0;
    TTestAlign align_ = taNone;
    bool flag_ = false;
    char letter_ = 0;
    double ratio_ = 0;
    std::string caption_;
};

// A form-like owner: published fields for its components and published handler methods.
class TTestForm : public TComponent {
    DECLARE_CLASS(TTestForm)
public:
    using TComponent::TComponent;

    TProbe* Memo1 = nullptr;
    TProbe* Memo2 = nullptr;

    void Button1Click(TObject* sender) { clicks.push_back(sender); }
    void Memo1KeyUp(TObject*, unsigned short& key) { key = 0; }

    std::vector<TObject*> clicks;
};
