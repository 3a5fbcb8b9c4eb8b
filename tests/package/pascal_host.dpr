{ A Free Pascal host in Delphi mode that uses the release's import unit alone
  (pascal/qesh_deleteIndex_dbf.pas). It runs the job with a work folder that
  has no template folder and the data source given, prints
  "result: <the result>" and exits 0 when the result is that path with a
  backslash and the stack pointer is where it was before the call: a
  declaration of the wrong calling convention would have the caller remove
  the arguments the callee removed already (on i686; x86_64 has one
  convention), which a host built with a frame pointer survives unnoticed.

  usage: pascal_host WORK_FOLDER DATA_SOURCE }
program pascal_host;

{$MODE DELPHI}
{$APPTYPE CONSOLE}

uses
  qesh_deleteIndex_dbf;

var
  Slot: WideString;
  WorkFolder, DataSource, Expected: AnsiString;
  StackBefore, StackAfter: Pointer;
begin
  WorkFolder := AnsiString(ParamStr(1));
  DataSource := AnsiString(ParamStr(2));
  Expected := DataSource + '\';
  Slot := 'stale';
  StackBefore := SPtr;
  DoIt(Slot, 0, PAnsiChar(WorkFolder), PAnsiChar(DataSource), 0);
  StackAfter := SPtr;
  Writeln('result: ', AnsiString(Slot));
  if AnsiString(Slot) <> Expected then
  begin
    Writeln('expected ', Expected);
    Halt(1);
  end;
  if StackAfter <> StackBefore then
  begin
    Writeln('the stack pointer moved by ', PtrUInt(StackAfter) - PtrUInt(StackBefore), ' bytes');
    Halt(1);
  end;
end.
