@echo off
rem Runs the Windows tests of TX3_Setup from this test kit, wherever it was unzipped:
rem   - every test program of bin\, each writing its JUnit XML file into the results folder
rem     (results\ beside this script, or the folder given as the first argument);
rem   - then, in an elevated console, the kit's MSI package installed silently, the installed
rem     tx3_setup.com --version run, and the package removed (results\tx3_msi_package.xml).
rem Prints one line "N passed, N failed" (tests; the MSI check counts as one test), and ends
rem with status 1 when a test failed.
rem Needs nothing but Windows: no build tree, no source tree, no Python.
setlocal EnableExtensions EnableDelayedExpansion

set "kit=%~dp0"
if "%kit:~-1%"=="\" set "kit=%kit:~0,-1%"
rem The default results folder is the kit's own, made anew; a folder given is only added to.
set "results=%kit%\results"
if exist "%results%" rd /s /q "%results%"
if not "%~1"=="" set "results=%~f1"
if not exist "%results%" mkdir "%results%"
if not exist "%results%" (
  echo Cannot make the results folder %results%
  exit /b 2
)
rem The tests find the programs and their data here (tests\support\test_files.h).
set "TX3_TEST_KIT=%kit%"

set passed=0
set failed=0
set skipped=0
pushd "%kit%\bin"
for %%t in (tx3_*_tests.exe) do call :run_program "%%~ft" "%%~nt"
popd

call :msi_check

echo.
if %skipped% gtr 0 echo %skipped% skipped: this system lacks what they check, as said above and in the JUnit files
echo JUnit files: %results%
echo %passed% passed, %failed% failed
if %failed% gtr 0 exit /b 1
exit /b 0

rem --- One test program: run it, then count its tests from its JUnit file. -------------------
:run_program
echo == %~2
set "xml=%results%\%~2.xml"
if exist "%xml%" del "%xml%"
"%~1" --gtest_brief=1 --gtest_output=xml:"%xml%"
set status=%errorlevel%
if not exist "%xml%" (
  echo FAILED: %~2 ended with status %status% before writing its results
  set /a failed+=1
  goto :eof
)
set tests=0
set failures=0
set disabled=0
set errors=0
rem <testsuites tests="N" failures="N" disabled="N" errors="N" ...>
for /f "tokens=2-5" %%a in ('type "%xml%" ^| find "<testsuites "') do (
  set %%a
  set %%b
  set %%c
  set %%d
)
set tests=%tests:"=%
set failures=%failures:"=%
set disabled=%disabled:"=%
set errors=%errors:"=%
set skips=0
for /f "delims=" %%l in ('type "%xml%" ^| find "<skipped "') do set /a skips+=1
set /a program_failed=failures+errors
set /a program_passed=tests-failures-errors-disabled-skips
rem A program that fails without a failed test (a crash after its last test) still fails.
if %status% neq 0 if %program_failed% equ 0 (
  echo FAILED: %~2 ended with status %status%
  set program_failed=1
)
set /a passed+=program_passed
set /a failed+=program_failed
set /a skipped+=skips
echo %~2: %program_passed% passed, %program_failed% failed, %skips% skipped
goto :eof

rem --- The MSI package: installed, run and removed, as deployment tools do. -------------------
:msi_check
set msi=
pushd "%kit%"
for %%m in (tx3_setup-windows-x64-*.msi) do set "msi=%%~fm"
popd
if not defined msi (
  echo MSI check skipped: no tx3_setup-windows-x64-*.msi in %kit%
  goto :eof
)
net session >nul 2>&1
if errorlevel 1 (
  echo MSI check skipped: the console is not elevated ^(run it as administrator to install the package^)
  goto :eof
)
echo == MSI package
set "installed=%ProgramFiles%\Tarvox\TX3_Setup"
set msi_fault=
msiexec /i "%msi%" /qn /norestart /l*v "%results%\msi-install.log"
if errorlevel 1 set "msi_fault=msiexec /i failed (see msi-install.log)"
if not defined msi_fault (
  "%installed%\tx3_setup.com" --version > "%results%\msi-version.txt" 2>&1
  if errorlevel 1 set "msi_fault=the installed tx3_setup.com --version failed"
)
if not defined msi_fault (
  type "%results%\msi-version.txt"
  type "%results%\msi-version.txt" | find "tx3_setup " >nul
  if errorlevel 1 set "msi_fault=the installed tx3_setup.com --version printed no version"
)
msiexec /x "%msi%" /qn /norestart /l*v "%results%\msi-remove.log"
if errorlevel 1 if not defined msi_fault set "msi_fault=msiexec /x failed (see msi-remove.log)"
if exist "%installed%\tx3_setup.com" if not defined msi_fault (
  set "msi_fault=msiexec /x left %installed%\tx3_setup.com"
)
set "xml=%results%\tx3_msi_package.xml"
if defined msi_fault (
  echo FAILED: MSI package: !msi_fault!
  set /a failed+=1
  > "%xml%" echo ^<?xml version="1.0" encoding="UTF-8"?^>
  >> "%xml%" echo ^<testsuites tests="1" failures="1" disabled="0" errors="0" name="AllTests"^>
  >> "%xml%" echo ^<testsuite name="MsiPackage" tests="1" failures="1" disabled="0" errors="0"^>
  >> "%xml%" echo ^<testcase name="InstallsRunsAndUninstalls" classname="MsiPackage"^>^<failure message="!msi_fault!"/^>^</testcase^>
) else (
  echo MSI package: installed in %installed%, ran and removed
  set /a passed+=1
  > "%xml%" echo ^<?xml version="1.0" encoding="UTF-8"?^>
  >> "%xml%" echo ^<testsuites tests="1" failures="0" disabled="0" errors="0" name="AllTests"^>
  >> "%xml%" echo ^<testsuite name="MsiPackage" tests="1" failures="0" disabled="0" errors="0"^>
  >> "%xml%" echo ^<testcase name="InstallsRunsAndUninstalls" classname="MsiPackage"/^>
)
>> "%xml%" echo ^</testsuite^>
>> "%xml%" echo ^</testsuites^>
goto :eof
