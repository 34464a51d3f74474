# The options every module of the collection takes: the printer and the tarrowctl that asks it.
# They match COMMON_ARGUMENTS of module_utils/tarrowctl.py.
from __future__ import absolute_import, division, print_function

__metaclass__ = type


class ModuleDocFragment(object):
    DOCUMENTATION = r'''
options:
  device:
    description:
      - The printer's IP address.
    type: str
    required: true
  tarrowctl:
    description: The tarrowctl program, by name (searched in C(PATH)) or by path.
    type: str
    default: tarrowctl
requirements:
  - tarrowctl on the managed computer
'''
