# The sources of test_platform_dxf, shared by this folder's CMakeLists.txt
# and the fallback in platform/db/dxf/CMakeLists.txt.
set(UV_DXF_TEST_SOURCES
  DatabaseDump.cpp RichDrawing.cpp ScratchFolder.cpp
  DxfRoundTripTest.cpp DxfBadInputTest.cpp DxfValueTest.cpp DxfInteropTest.cpp WipeoutDxfTest.cpp DxfKeepTest.cpp
  DxfStreamTest.cpp GroupReaderTest.cpp
  DxfHostileTest.cpp DrawnKindsDxfTest.cpp UndoDxfTest.cpp)
