/* A host written against the library's header alone, in plain C89 (and, through
 * header_host.cpp, C++98): the header is included first, nothing else before
 * it, so it must bring everything it uses. The host calls DoIt through the
 * declared function (linked through the import library) and through the
 * QeshDoItProc pointer type (from GetProcAddress).
 *
 * Without arguments it only loads. With a work folder and a data source it
 * runs the job through the pointer and checks the result (the data source with
 * a backslash); the call through the declared function passes a NULL result
 * slot, with which DoIt does nothing. Exits 0 when every check held.
 */
#include "qesh_deleteIndex_dbf.h"

#include <stdio.h>
#include <string.h>

static QeshDoItProc LoadedDoIt(void) {
  HMODULE library = GetModuleHandleA("qesh_deleteIndex_dbf.dll");
  FARPROC found;
  if (library == NULL) return NULL;
  found = GetProcAddress(library, "DoIt");
  /* Through the "matches everything" type, as the language requires. */
  return (QeshDoItProc)(void (*)(void))found;
}

int main(int argc, char** argv) {
  QeshDoItProc doIt = LoadedDoIt();
  BSTR result = NULL;
  char text[512];
  char expected[512];
  int failures = 0;

  if (doIt == NULL) {
    fprintf(stderr, "the library exports no DoIt\n");
    return 1;
  }
  if (argc < 3) return 0;

  DoIt(NULL, NULL, argv[1], argv[2], 0);
  doIt(&result, NULL, argv[1], argv[2], 0);
  text[0] = '\0';
  if (result == NULL ||
      WideCharToMultiByte(CP_ACP, 0, result, -1, text, sizeof text, NULL, NULL) == 0) {
    fprintf(stderr, "DoIt left no readable result\n");
    ++failures;
  }
  SysFreeString(result);
  sprintf(expected, "%.500s\\", argv[2]);
  printf("result: %s\n", text);
  if (strcmp(text, expected) != 0) {
    fprintf(stderr, "expected %s\n", expected);
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
