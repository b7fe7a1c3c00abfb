// The host's services to the database; here the working database: the one
// that names are looked up in for objects not yet added anywhere, and that
// acdbRegApp registers in. Set by whoever opens drawings; cleared when that
// database is destroyed.
#pragma once

class AcDbDatabase;

class AcDbHostApplicationServices {
 public:
  AcDbDatabase* workingDatabase() const { return m_working; }
  void setWorkingDatabase(AcDbDatabase* db) { m_working = db; }

 private:
  AcDbDatabase* m_working = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();

inline AcDbDatabase* acdbCurDwg() { return acdbHostApplicationServices()->workingDatabase(); }
