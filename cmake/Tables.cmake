# The manual tables: CSV under data/tables turned into the two SQLite files
# beside the executables (filled in with the table store).
add_custom_target(verosa_table_files)
