# The maker as the About box names it. The addresses are empty by default, so that a build
# carries no address that is not the project's: the box then leaves that link, with its
# caption, out. A packager gives real ones with -D (or `make PROJECT_PAGE=... CONTACT_MAIL=...`).
set(BRANNOCK_ABOUT_OWNER "Copyright (C) 2026 the Brannock developers"
    CACHE STRING "Owner line of the About box")
set(BRANNOCK_ABOUT_WEB_CAPTION "Visit the project's web page:"
    CACHE STRING "Caption of the About box's web link")
set(BRANNOCK_PROJECT_PAGE ""
    CACHE STRING "Web address of the About box (empty: no link)")
set(BRANNOCK_ABOUT_MAIL_CAPTION "Write to the developers:"
    CACHE STRING "Caption of the About box's e-mail link")
set(BRANNOCK_CONTACT_MAIL ""
    CACHE STRING "E-mail address of the About box (empty: no link)")

# An address on a domain reserved for examples is never the project's: a build folder
# configured when such placeholders were the defaults drops them, as a fresh one has none.
foreach(address BRANNOCK_PROJECT_PAGE BRANNOCK_CONTACT_MAIL)
  if(${address} MATCHES "[@./]example\\.(org|com|net)(/|$)")
    message(WARNING "${address} '${${address}}' is a placeholder on a reserved example "
                    "domain: left empty, so the About box leaves that link out")
    set_property(CACHE ${address} PROPERTY VALUE "")
  endif()
endforeach()
