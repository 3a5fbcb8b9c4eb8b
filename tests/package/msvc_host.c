/* A host built the way Visual C++ builds one, without its headers or its
 * runtime: compiled for the *-pc-windows-msvc target, linked by lld-link
 * against the release's qesh_deleteIndex_dbf.lib and import libraries of
 * kernel32 and oleaut32 made from msvc_host_system.def. It declares what it
 * uses itself and has its own entry point.
 *
 * It runs the job with a work folder that has no template folder and the data
 * source D:\data\source, prints "result: <the result>" and exits 0 when the
 * result is that path with a backslash.
 */
typedef unsigned short WideChar;
typedef void* Handle;

/* The library's declaration, as the header has it (without its headers). */
void __stdcall DoIt(WideChar** resultSlot, Handle hostWindow, const char* workFolder,
                    const char* dataSourcePath, __INTPTR_TYPE__ reserved);

__declspec(dllimport) Handle __stdcall GetStdHandle(unsigned long which);
__declspec(dllimport) int __stdcall WriteFile(Handle file, const void* data, unsigned long size,
                                              unsigned long* written, void* overlapped);
__declspec(dllimport) void __stdcall ExitProcess(unsigned int code);
__declspec(dllimport) void __stdcall SysFreeString(WideChar* text);

static const unsigned long kStdOutput = (unsigned long)-11;

static void Write(const char* text, unsigned long size) {
  unsigned long written = 0;
  WriteFile(GetStdHandle(kStdOutput), text, size, &written, 0);
}

void HostMain(void) {
  static const char kExpected[] = "D:\\data\\source\\";
  WideChar* result = 0;
  char text[64];
  unsigned long size = 0;
  int same = 1;

  DoIt(&result, 0, "C:\\qesh-package-test\\no-work-folder\\", "D:\\data\\source", 0);
  /* The result is ASCII here: narrowed by hand. */
  while (result != 0 && result[size] != 0 && size < sizeof text) {
    text[size] = (char)result[size];
    ++size;
  }
  SysFreeString(result);
  Write("result: ", 8);
  Write(text, size);
  Write("\n", 1);
  if (size != sizeof kExpected - 1) same = 0;
  for (unsigned long i = 0; same && i < size; ++i) same = text[i] == kExpected[i];
  ExitProcess(same ? 0 : 1);
}
