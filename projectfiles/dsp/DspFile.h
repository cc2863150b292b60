// A whole project file in memory: the tree of its entries, with the target type, the
// configuration set, the target and the "# Section" blocks remembered.
#pragma once

#include "dsp/DspFileEntry.h"

class CDspConfig;

class CDspFile : public CDspFileEntryContainer {
 public:
  CDspFile();
  ~CDspFile() override;

  void RemoveAll() override;
  // The last configuration set or target inserted is the project's; so is the last target type,
  // except that one of unknown kind does not displace one of a known kind.
  void InsertTarget(CDspTarget* entry, int index) override;
  void InsertConfigSet(CDspConfigSet* entry, int index) override;
  void InsertTargetType(CDspTargetType* entry, int index) override;
  void InsertSection(CDspSection* entry, int index) override;
  // A configuration set ("Invalid configuration.") and a target ("Invalid target file") must be
  // there; then every entry is validated in order.
  virtual void Validate();
  // Validate for a tree just read, whose reader found a SOURCE line in every source file block:
  // the only entries of the target that can be invalid are source files, so the target is left
  // out, and a large project's tree is not walked once more.
  void ValidateReadWithSourceFiles();

  int GetConfigurationCount() const;
  // TQ::CTqIndexException outside 0..count-1 (also when there is no configuration set).
  CDspConfig* GetConfiguration(int index) const;
  CDspConfigSet* GetConfigSet() const { return m_configSet; }
  CDspTarget* GetTarget() const { return m_target; }
  // The target-type kind (DspTargetTypeKind); dspTargetNone without a "# TARGTYPE" line.
  int GetTargetTypeKind() const;
  int GetSectionCount() const { return static_cast<int>(m_sections.size()); }
  // TQ::CTqIndexException outside 0..count-1; -1 is the last section.
  CDspSection* GetSection(int index) const;
  const CString& GetProjectName() const { return m_projectName; }
  void SetProjectName(const CString& name) { m_projectName = name; }
  // Where the reader keeps the texts of the lines it reads into the tree; they go with the tree
  // (RemoveAll, the destructor).
  CDspTextStore& GetTextStore() { return m_texts; }

 protected:
  void Forget(const CDspFileEntry* entry) override;

 private:
  CDspTargetType* m_targetType;
  CDspConfigSet* m_configSet;
  CDspTarget* m_target;
  CString m_projectName;
  std::vector<CDspSection*> m_sections;
  CDspTextStore m_texts;
};
