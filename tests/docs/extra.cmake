# The map of the code (docs/architecture.md, the README.md of each folder of src/) names only what
# is in the tree; and the check itself finds each kind of fault in a map made to hold them.
if(NOT CMAKE_CROSSCOMPILING)
  set(TX3_CHECK_DOCS /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/check_docs.py --root
                     ${CMAKE_SOURCE_DIR})
  add_test(NAME docs.names_are_in_the_tree COMMAND ${TX3_CHECK_DOCS})
  add_test(NAME docs.check_names_each_missing_name
           COMMAND ${TX3_CHECK_DOCS} ${CMAKE_CURRENT_LIST_DIR}/data/broken_map.md)
  # Every fault on its own line, in order, and nothing else: the names that exist pass.
  set(doc "tests/docs/data/broken_map\\.md")
  string(CONCAT faults
    "^${doc}:6: `src/app/no_such_folder/`: no such file or folder in the tree\n"
    "${doc}:7: `no_such_file\\.cpp`: no file of that name in the tree\n"
    "${doc}:8: `NoSuch[F]unction\\(\\)`: no such name in the code \\(NoSuch[F]unction\\)\n"
    "${doc}:9: `FrmMain::NoSuch[M]ember`: no such name in the code \\(NoSuch[M]ember\\)\n"
    "${doc}:10: `missing_target\\.md`: no such file or folder in the tree\n"
    "docs check: 5 of [0-9]+ names are not in the tree\n$")
  set_tests_properties(docs.check_names_each_missing_name PROPERTIES PASS_REGULAR_EXPRESSION
                                                                      "${faults}")
endif()
