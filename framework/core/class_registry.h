// The registry of classes the form reader may create by name, in groups, and the finder a read uses.
#pragma once

#include <string>
#include <vector>

class TClassInfo;
struct TRegGroup;

// Registers `cls` and, up to TPersistent, its ancestors. EFilerError "クラス名 %s はすでに使われています"
// when its group already holds another class of that name.
void RegisterComponentClass(const TClassInfo& cls);
void RegisterComponentClasses(std::initializer_list<const TClassInfo*> classes);
// Registers `cls` under another name as well.
void RegisterClassAlias(const TClassInfo& cls, const std::string& alias);
void UnregisterComponentClass(const TClassInfo& cls);
// The registered class of that name in the active groups, or none.
const TClassInfo* GetClass(const std::string& name);
// The same, or EClassNotFound "クラス %s が見つかりません".
const TClassInfo& FindClass(const std::string& name);

void StartClassGroup(const TClassInfo& groupClass);
// Makes the groups of `groupClass` the active ones; returns the class that was active before.
const TClassInfo* ActivateClassGroup(const TClassInfo& groupClass);
// Puts `cls` and the registered classes descending from it into the group of `groupClass`
// (EFilerError "%s クラス登録グループに存在しません" when that class has no group).
void GroupDescendentsWith(const TClassInfo& cls, const TClassInfo& groupClass);
const TClassInfo* ActiveClass();

// The groups to search for the classes of one root: the root class's groups and the active ones.
class TClassFinder {
public:
    explicit TClassFinder(const TClassInfo* rootClass, bool includeActiveGroups = true);
    // The class of that name in the finder's groups (registered names first, then aliases), or none.
    const TClassInfo* GetClass(const std::string& name) const;

private:
    std::vector<TRegGroup*> groups_;
};
